#include "cli/casejson.h"

#include "numbers/numbertext.h"

#include <algorithm>
#include <cmath>

namespace lobus {

namespace {

class JsonOut {
public:
    void key(const char* name)
    {
        m_s += m_first ? "{\n  \"" : ",\n  \"";
        m_first = false;
        m_s += name;
        m_s += "\": ";
    }
    void integer(int v) { m_s += std::to_string(v); }
    // The shortest text that reads back as the same float; JSON has no
    // infinities or NaN (the readers let none through), null keeps it valid.
    void real(float v)
    {
        if (!std::isfinite(v)) {
            m_s += "null";
            return;
        }
        char buf[kShortestChars];
        m_s.append(buf, shortestChars(buf, v));
    }
    template <class Table> void reals(const Table& t, int n)
    {
        m_s += '[';
        for (int i = 1; i <= n; ++i) {
            if (i > 1)
                m_s += ", ";
            real(t(i));
        }
        m_s += ']';
    }
    void rows(const ResultArray& a, int ilkat)
    {
        m_s += '[';
        for (int k = 1; k <= ResultArray::kRows; ++k) {
            m_s += k > 1 ? ",\n    [" : "\n    [";
            for (int j = 1; j <= ilkat; ++j) {
                if (j > 1)
                    m_s += ", ";
                real(a(k, j));
            }
            m_s += ']';
        }
        m_s += "\n  ]";
    }
    std::string finish() { return m_s + "\n}\n"; }
    void reserve(std::size_t n) { m_s.reserve(n); }

private:
    std::string m_s;
    bool m_first = true;
};

} // namespace

std::string caseJson(const Case& c, const RYSUJ& rysuj)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    // Only as many columns as every array really has.
    const int ilkat = std::min({r.ilkat, r.katcis.cols(), r.cis.cols(), r.tem1.cols(), r.tem2.cols()});
    JsonOut j;
    j.reserve(static_cast<std::size_t>(ilkat) * 6 * 4 * 14 + 1024);
    j.key("variant");
    j.integer(d.variant);
    j.key("ikm");
    j.integer(d.ikm);
    j.key("ilkat");
    j.integer(ilkat);
    j.key("tabpsi");
    j.reals(d.tabpsi, 12);
    j.key("tabkla");
    j.reals(d.tabkla, 6);
    j.key("tabklb");
    j.reals(d.tabklb, 6);
    j.key("ekscen");
    j.real(d.ekscen);
    j.key("katekscen");
    j.real(d.katekscen);
    j.key("ilcis");
    j.reals(d.ilcis, 6);
    j.key("pmax");
    j.real(d.pmax);
    j.key("tmax");
    j.real(d.tmax);
    j.key("pscale");
    j.real(rysuj.pscale);
    j.key("tscale");
    j.real(rysuj.tscale);
    j.key("katcis");
    j.rows(r.katcis, ilkat);
    j.key("cis");
    j.rows(r.cis, ilkat);
    j.key("tem1");
    j.rows(r.tem1, ilkat);
    j.key("tem2");
    j.rows(r.tem2, ilkat);
    return j.finish();
}

} // namespace lobus

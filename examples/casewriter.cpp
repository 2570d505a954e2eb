// The text of the solver's files: header records in Polish, numbers in the
// solver's fixed and exponent forms, LF or CR LF records, UTF-8 or
// Windows-1250 header texts.

#include "examples/casegen.h"
#include "examples/fortrantext.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace lobus::casegen {

std::string toCp1250(const std::string& utf8)
{
    static const struct {
        char32_t cp;
        unsigned char byte;
    } kMap[] = {
        {U'ą', 0xB9}, {U'ć', 0xE6}, {U'ę', 0xEA}, {U'ł', 0xB3}, {U'ń', 0xF1}, {U'ó', 0xF3}, {U'ś', 0x9C},
        {U'ź', 0x9F}, {U'ż', 0xBF}, {U'Ą', 0xA5}, {U'Ć', 0xC6}, {U'Ę', 0xCA}, {U'Ł', 0xA3}, {U'Ń', 0xD1},
        {U'Ó', 0xD3}, {U'Ś', 0x8C}, {U'Ź', 0x8F}, {U'Ż', 0xAF}, {U'–', 0x96}, {U'°', 0xB0},
    };
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const int len = (c >= 0xF0) ? 4 : (c >= 0xE0) ? 3 : 2;
        char32_t cp = c & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(len);
        char byte = '?';
        for (const auto& m : kMap)
            if (m.cp == cp)
                byte = static_cast<char>(m.byte);
        out += byte;
    }
    return out;
}

namespace {

class Records {
public:
    explicit Records(const Bearing& b) : m_b(b) { }

    // A header record: free text, encoded as the case asks.
    void text(const std::string& utf8) { line(m_b.cp1250 ? toCp1250(utf8) : utf8); }
    // A record of numbers (ASCII).
    void line(const std::string& s)
    {
        m_out += s;
        m_out += m_b.crlf ? "\r\n" : "\n";
    }
    // The file's bytes; the records end here.
    std::string take()
    {
        if (m_b.dosEof)
            m_out += '\x1A';
        return std::move(m_out);
    }
    std::string& buffer() { return m_out; }

private:
    const Bearing& m_b;
    std::string m_out;
};

const char* solverName(const Bearing& b) { return b.solver == Solver::SOLAKO ? "SOLAKO" : "MERANT"; }

std::string rule() { return " ----------------------------------------------------------------------"; }

std::string numbers(std::initializer_list<std::string> values, std::size_t width)
{
    std::string s;
    for (const std::string& v : values)
        s += "  " + padLeft(v, width);
    return s;
}

std::string danText(const Bearing& b, const Solution& s)
{
    Records r(b);
    r.text(std::string(" Łożysko wielopowierzchniowe – dane wejściowe programu ") + solverName(b));
    r.text(" Przypadek: " + b.name + " – " + b.description);
    r.text(rule());
    r.text(" Geometria: średnica czopa D, szerokość łożyska L, luz promieniowy klinów c");
    r.text(" Olej: lepkość dynamiczna mi (stała), prędkość obrotowa czopa n (w lewo)");
    r.text(" Kliny numerowane w lewo; kąty klinów liczone od środka łuku klina, w stopniach");
    r.text(" Środki łuków klinów przesunięte o zacisk wstępny m = " + fixed(b.preload, 3) + " (w luzach c)");
    r.text(" Rozwiązanie równania Reynoldsa: "
           + std::string(b.model == PressureModel::FiniteDifference
                             ? "różnice skończone, " + std::to_string(b.points) + " x "
                                 + std::to_string(b.widthPoints) + " węzłów"
                             : "przybliżenie łożyska krótkiego"));
    r.text(" Jednostki: m, Pa s, obr/min");
    r.text(" ");
    r.text(" ");
    r.text(rule());
    r.text("      D [m]     L [m]         c [m]   mi [Pa s]  n [obr/min]  liczba klinów");
    r.line(numbers({fixed(b.diameter, 5), fixed(b.width, 5), fortranE(b.clearance, 5), fixed(b.viscosity, 5),
                    fixed(b.speed, 1)},
                   10)
           + padLeft(std::to_string(b.lobes), 8));
    r.text(" Kąty początku i końca klinów [st]");
    r.text(rule());
    std::string angles;
    for (const Lobe& l : s.lobes)
        angles += padLeft(fixed(l.start, 1), 8) + padLeft(fixed(l.end, 1), 8);
    r.line(angles);
    r.text(" Położenie środków łuków klinów (a, b) względem środka łożyska [c]");
    r.text(rule());
    std::string centres;
    for (const Lobe& l : s.lobes)
        centres += padLeft(fixed(l.kla, 4), 9) + padLeft(fixed(l.klb, 4), 9);
    r.line(centres);
    r.text(" Mimośród względny czopa");
    r.line(padLeft(fixed(s.ekscen, 4), 9));
    if (b.solver == Solver::SOLAKO) {
        r.text(" Temperatura zasilania [st.C], gęstość [kg/m3], ciepło właściwe [J/(kg K)]");
        r.line(numbers({fixed(b.inletTemp, 1), "870.0", "2000.0"}, 7));
    }
    return r.take();
}

// The five records that open each lobe's block (the last five of the nine
// header records for the first lobe).
void lobeHeader(Records& r, const Lobe& l, int k, const std::string& columns)
{
    r.text(rule());
    r.text(" Klin nr " + std::to_string(k));
    r.text(" kąt początku = " + fixed(l.start, 1) + " st, kąt końca = " + fixed(l.end, 1) + " st");
    r.text(" Środek łuku klina: a = " + fixed(l.kla, 4) + ", b = " + fixed(l.klb, 4));
    r.text(columns);
}

std::string cisText(const Bearing& b, const Solution& s)
{
    Records r(b);
    r.text(std::string(" Rozkład ciśnienia w klinach łożyska – program ") + solverName(b));
    r.text(" Przypadek: " + b.name);
    r.text(" Mimośród względny e = " + fixed(s.ekscen, 4)
           + ", kąt położenia środka czopa = " + fixed(s.katekscen, 3) + " st");
    r.text(" Ciśnienie maksymalne = " + fortranE(s.pmax, 5) + " N/m2");
    std::string& out = r.buffer();
    for (std::size_t k = 0; k < s.lobes.size(); ++k) {
        const Lobe& l = s.lobes[k];
        lobeHeader(r, l, static_cast<int>(k + 1), "     kąt [st]   ciśnienie [N/m2]");
        out.reserve(out.size() + l.angle.size() * 30);
        for (std::size_t i = 0; i < l.angle.size(); ++i)
            r.line(padLeft(fixedReal(l.angle[i], 4), 13) + padLeft(fortranE(l.pressure[i], 5), 19));
    }
    return r.take();
}

std::string temText(const Bearing& b, const Solution& s)
{
    Records r(b);
    r.text(" Rozkład temperatury w klinach łożyska – program SOLAKO");
    r.text(" Przypadek: " + b.name);
    r.text(" Temperatura zasilania = " + fixed(b.inletTemp, 1) + " st.C");
    r.text(" Temperatura maksymalna = " + fixed(s.tmax, 2)
           + " st.C; t1 – film olejowy, t2 – powierzchnia panwi");
    for (std::size_t k = 0; k < s.lobes.size(); ++k) {
        const Lobe& l = s.lobes[k];
        lobeHeader(r, l, static_cast<int>(k + 1), "  kąt [st]   t1 [st.C]   t2 [st.C]");
        for (std::size_t i = 0; i < l.temAngle.size(); ++i)
            r.line(padLeft(std::to_string(l.temAngle[i]), 8) + padLeft(fixed(l.tem1[i], 2), 12)
                   + padLeft(fixed(l.tem2[i], 2), 12));
    }
    return r.take();
}

std::string chaText(const Bearing& b, const Solution& s)
{
    Records r(b);
    r.text(std::string(" Charakterystyki łożyska – program ") + solverName(b));
    r.text(" Przypadek: " + b.name);
    r.text(rule());
    if (b.solver == Solver::SOLAKO) {
        r.text(" e – mimośród względny, gamma – kąt położenia środka czopa [st], W – nośność [N], N – straty "
               "mocy [W],");
        r.text(" Q – wydatek oleju [m3/s], hmin – minimalna grubość filmu [m], So – liczba Sommerfelda, pmax "
               "[N/m2]");
        r.text("        e      gamma            W            N            Q         hmin           So        "
               " pmax");
        r.line(padLeft(fixed(s.ekscen, 4), 9) + padLeft(fixed(s.katekscen, 3), 11)
               + numbers({fortranE(s.load, 5), fortranE(s.powerLoss, 5), fortranE(s.flow, 5),
                          fortranE(s.minFilm, 5), fortranE(s.sommerfeld, 5), fortranE(s.pmax, 5)},
                         11));
    } else {
        r.text(" e – mimośród względny, gamma – kąt położenia środka czopa [st], W – nośność [N], N – straty "
               "mocy [W],");
        r.text(" hmin – minimalna grubość filmu [m], pmax – ciśnienie maksymalne [N/m2]");
        r.text("        e      gamma            W            N         hmin         pmax");
        r.line(padLeft(fixed(s.ekscen, 4), 9) + padLeft(fixed(s.katekscen, 3), 11)
               + numbers({fortranE(s.load, 5), fortranE(s.powerLoss, 5), fortranE(s.minFilm, 5),
                          fortranE(s.pmax, 5)},
                         11));
    }
    return r.take();
}

void save(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

CaseText caseText(const Bearing& b, const Solution& s)
{
    CaseText t;
    t.name = b.name;
    t.dan = danText(b, s);
    t.cis = cisText(b, s);
    t.cha = chaText(b, s);
    if (b.solver == Solver::SOLAKO)
        t.tem = temText(b, s);
    return t;
}

std::filesystem::path writeCase(const CaseText& t, const std::filesystem::path& root)
{
    const std::filesystem::path dan = root / "DANE" / (t.name + ".dan");
    const std::filesystem::path wyn = root / "WYN";
    std::filesystem::create_directories(dan.parent_path());
    std::filesystem::create_directories(wyn);
    save(dan, t.dan);
    for (const auto& [text, extension] : {std::pair {&t.cis, ".cis"}, {&t.cha, ".cha"}, {&t.tem, ".tem"}})
        if (!text->empty())
            save(wyn / (t.name + extension), *text);
    return dan;
}

void writeCase(const Bearing& b, const Solution& s, const std::filesystem::path& root)
{
    writeCase(caseText(b, s), root);
}

} // namespace lobus::casegen

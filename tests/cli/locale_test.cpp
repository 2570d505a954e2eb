// Every number lobus-render writes is the same under a locale that writes a
// decimal comma as under "C": pictures, annotated pictures, angle views,
// --summary, --csv, --dump and the trace, byte for byte.

#include "runrender.h"
#include "tests/support/commalocales.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace lobus::test {
namespace {

using Outputs = std::vector<std::pair<QString, QByteArray>>;

// Where two outputs part, with a little of each text around it.
std::string firstDifference(const QString& what, const QByteArray& a, const QByteArray& b)
{
    const auto n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    std::string where = "from byte " + std::to_string(i);
    if (what.endsWith(QStringLiteral(".png")))
        return where;
    const qsizetype from = std::max<qsizetype>(0, i - 20);
    return where + ": \"" + a.mid(from, 40).toStdString() + "\" against \"" + b.mid(from, 40).toStdString()
        + "\"";
}

class CommaLocale : public testing::TestWithParam<const char*> {
protected:
    // What the program writes for the example under `locale`, each output by name.
    Outputs outputs(const QString& locale)
    {
        const QString data = exampleData(GetParam());
        const QString out = m_dir.path() + QLatin1Char('/') + locale;
        const QStringList settings {QStringLiteral("LC_ALL=") + locale,
                                    QStringLiteral("LOCPATH=") + QString::fromStdString(commaLocales().path)};
        const QStringList size {QStringLiteral("--size"), QStringLiteral("640x400")};
        Outputs o;
        const auto run = [&](const QString& what, const QStringList& args) {
            const RunResult r = runRender(QStringList(data) << args, QString(), settings);
            EXPECT_EQ(r.status, 0) << what.toStdString() << ": " << r.err.toStdString();
            return r.out;
        };
        const auto printed
            = [&](const QString& what, const QStringList& args) { o.emplace_back(what, run(what, args)); };
        const auto file = [&](const QString& what, const QStringList& args) {
            const QString name = out + QLatin1Char('-') + what;
            run(what, QStringList(args) << QStringLiteral("-o") << name << size);
            o.emplace_back(what, readFile(name));
        };
        printed(QStringLiteral("--summary"), {QStringLiteral("--summary")});
        printed(QStringLiteral("--csv"), {QStringLiteral("--csv"), QStringLiteral("-")});
        printed(QStringLiteral("--dump"),
                {QStringLiteral("--dump"), QStringLiteral("--trace"), out + QStringLiteral("-wdr.txt")});
        o.emplace_back(QStringLiteral("trace"), readFile(out + QStringLiteral("-wdr.txt")));
        file(QStringLiteral("picture.png"), {});
        file(QStringLiteral("annotated.png"), {QStringLiteral("--annotate")});
        file(QStringLiteral("angle.png"), {QStringLiteral("--view"), QStringLiteral("angle")});
        return o;
    }
    QTemporaryDir m_dir;
};

TEST_P(CommaLocale, EveryOutputIsTheCLocalesByteForByte)
{
    const CommaLocales& locales = commaLocales();
    if (!locales.ready())
        return;
    const Outputs reference = outputs(QStringLiteral("C"));
    for (const auto& [what, bytes] : reference)
        EXPECT_FALSE(bytes.isEmpty()) << what.toStdString();
    for (const std::string& name : locales.names) {
        const Outputs o = outputs(QString::fromStdString(name));
        ASSERT_EQ(o.size(), reference.size());
        for (std::size_t i = 0; i < o.size(); ++i)
            EXPECT_TRUE(o[i].second == reference[i].second)
                << name << ", " << o[i].first.toStdString() << ": "
                << firstDifference(o[i].first, o[i].second, reference[i].second);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, CommaLocale,
                         testing::Values("merant3", "cytryna2", "solako4", "solako3w"));

} // namespace
} // namespace lobus::test

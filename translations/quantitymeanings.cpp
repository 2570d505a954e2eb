#include "translations/quantitymeanings.h"

#include <QCoreApplication>

#include <initializer_list>

namespace lobus {

namespace {

struct Meaning {
    std::initializer_list<std::string_view> names;
    const char* text;
};

// The names the solvers and their users write for the quantities of a
// journal bearing.
const Meaning kMeanings[] = {
    {{"W", "F", "Fr"}, QT_TRANSLATE_NOOP("Quantities", "obciążenie (nośność)")},
    {{"N", "Nt"}, QT_TRANSLATE_NOOP("Quantities", "straty mocy")},
    {{"Q"}, QT_TRANSLATE_NOOP("Quantities", "wydatek oleju")},
    {{"hmin", "h_min", "h0"}, QT_TRANSLATE_NOOP("Quantities", "minimalna grubość filmu")},
    {{"So"}, QT_TRANSLATE_NOOP("Quantities", "liczba Sommerfelda")},
    {{"D", "d"}, QT_TRANSLATE_NOOP("Quantities", "średnica czopa")},
    {{"L", "B"}, QT_TRANSLATE_NOOP("Quantities", "szerokość łożyska")},
    {{"c", "C"}, QT_TRANSLATE_NOOP("Quantities", "luz promieniowy")},
    {{"mi", "mu", "eta"}, QT_TRANSLATE_NOOP("Quantities", "lepkość dynamiczna")},
    {{"n"}, QT_TRANSLATE_NOOP("Quantities", "prędkość obrotowa czopa")},
    {{"e", "eps", "epsilon", "ekscen"}, QT_TRANSLATE_NOOP("Quantities", "mimośród względny ε")},
    {{"gamma", "katekscen"}, QT_TRANSLATE_NOOP("Quantities", "kąt położenia środka czopa")},
    {{"pmax", "p_max"}, QT_TRANSLATE_NOOP("Quantities", "ciśnienie maksymalne")},
    {{"T_max", "Tmax", "tmax"}, QT_TRANSLATE_NOOP("Quantities", "temperatura maksymalna")},
    {{"t1"}, QT_TRANSLATE_NOOP("Quantities", "temperatura filmu olejowego")},
    {{"t2"}, QT_TRANSLATE_NOOP("Quantities", "temperatura powierzchni panwi")},
};

} // namespace

QString quantityMeaning(std::string_view name)
{
    for (const Meaning& m : kMeanings)
        for (std::string_view known : m.names)
            if (known == name)
                return QCoreApplication::translate("Quantities", m.text);
    return {};
}

} // namespace lobus

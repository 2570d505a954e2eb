#include "datafiles/passcommon.h"

#include "datafiles/fileaccess.h"
#include "datafiles/filereplace.h"
#include "datafiles/trace.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

namespace lobus {

void readWedgeTable(RecordReader& reader, const std::string& dataFile, DANE& dane, bool withPairs,
                    CaseValues* values)
{
    reader.open(dataFile);
    std::vector<std::string> above;
    {
        const KeepSkipped keep(reader, values ? &above : nullptr);
        reader.skip(13);
    }
    std::array<float, 5> conditions;
    conditions.fill(std::numeric_limits<float>::quiet_NaN());
    const auto c = [&](std::size_t i) { return ReadItem::real(conditions[i]); };
    reader.read({c(0), c(1), c(2), c(3), c(4), ReadItem::integer(dane.ikm)});
    if (values)
        values->conditions = namedValues(conditions, above, 6, 0);
    reader.skip(2);

    // The angles go straight into their slots, as far as the table reaches.
    const long long wanted = 2LL * dane.ikm;
    std::array<ReadItem, 12> angles {};
    const int n = static_cast<int>(std::clamp<long long>(wanted, 0, 12));
    for (int i = 0; i < n; ++i)
        angles[static_cast<std::size_t>(i)] = ReadItem::real(dane.tabpsi.data()[i]);
    reader.read(std::span<const ReadItem>(angles.data(), static_cast<std::size_t>(n)));
    if (wanted > 12) {
        try {
            dane.tabpsi(13) = 0.0f;
        } catch (const SubscriptRangeError& e) {
            reader.raiseSubscript(e);
        }
    }

    if (withPairs) {
        reader.skip(2);
        std::array<ReadItem, 12> pairs {};
        const int wedges = std::max(dane.ikm, 0); // at most 6 once the angles were read
        for (int k = 1; k <= wedges; ++k) {
            pairs[static_cast<std::size_t>(2 * k - 2)] = ReadItem::real(dane.tabkla.data()[k - 1]);
            pairs[static_cast<std::size_t>(2 * k - 1)] = ReadItem::real(dane.tabklb.data()[k - 1]);
        }
        reader.read(std::span<const ReadItem>(pairs.data(), static_cast<std::size_t>(2 * wedges)));
    }
    reader.close();
}

std::vector<NamedValue> namedValues(std::span<const float> slots, std::span<const std::string> above,
                                    std::size_t count, std::size_t first)
{
    const std::vector<ColumnName> names = columnNames(above, count);
    std::vector<NamedValue> named;
    for (std::size_t i = 0; i < slots.size() && first + i < names.size(); ++i)
        named.push_back({names[first + i], slots[i]});
    return named;
}

std::string resultFileFound(const ResultLocation& loc, std::string_view extension, int filter, PassUi& ui)
{
    if (std::string preset = ui.presetResultFile(filter); !preset.empty())
        return preset;
    // A file that is there but cannot be read is not missing: reading it
    // reports why.
    const std::string expected = loc.path(extension);
    return loc.projectDir && !fileMissing(expected) ? expected : std::string();
}

bool settleResultFile(const ResultLocation& loc, std::string_view extension, int filter, PassUi& ui,
                      std::string& name)
{
    if (std::string found = resultFileFound(loc, extension, filter, ui); !found.empty()) {
        name = std::move(found);
        return true;
    }
    const std::string expected = loc.path(extension);
    UWAGA(ui, kIconWarning,
          texts::fillIn(texts::translate("DataFiles", "Brak zbioru %1"), {displayName(expected)}));
    std::string chosen;
    ui.WSELECTFILE(filter, kSelectFlags, chosen, texts::translate("DataFiles", kSelectTitle));
    if (ui.WINFODIALOG(kInfoConfirmed) != 1)
        return false;
    name = chosen;
    return true;
}

void traceTabpsi(Trace* trace, const char* label, const DANE& dane)
{
    if (trace)
        trace->write(label, std::span<const float>(dane.tabpsi.data(), 12));
}

} // namespace lobus

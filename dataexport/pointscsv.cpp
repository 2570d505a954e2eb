#include "dataexport/pointscsv.h"

#include "dataexport/csvwriter.h"
#include "drawing/casefigures.h"

#include <cmath>

namespace lobus {

std::string pointsCsv(const Case& c)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    CsvWriter csv;
    for (const char* name : {"lobe", "point", "angle_deg", "p_Pa", "t1_C", "t2_C"})
        csv.field(name);
    csv.endRow();
    for (int k = 1; k <= lobeCount(d); ++k) {
        const int n = pointCount(d, r, k);
        for (int j = 1; j <= n; ++j) {
            csv.field(k);
            csv.field(j);
            // A value the files did not give is an empty field.
            for (const ResultColumn column :
                 {ResultColumn::Katcis, ResultColumn::Cis, ResultColumn::Tem1, ResultColumn::Tem2}) {
                const float v = readValue(c, column, k, j);
                std::isnan(v) ? csv.emptyField() : csv.field(v);
            }
            csv.endRow();
        }
    }
    return csv.finish();
}

} // namespace lobus

#include "dataexport/pointscsv.h"

#include "dataexport/csvwriter.h"
#include "drawing/casefigures.h"

namespace lobus {

std::string pointsCsv(const Case& c)
{
    const DANE& d = c.dane;
    const Results& r = c.results;
    const bool thermal = d.thermal();
    CsvWriter csv;
    for (const char* name : {"lobe", "point", "angle_deg", "p_Pa", "t1_C", "t2_C"})
        csv.field(name);
    csv.endRow();
    for (int k = 1; k <= lobeCount(d); ++k) {
        const int n = pointCount(d, r, k);
        for (int j = 1; j <= n; ++j) {
            csv.field(k);
            csv.field(j);
            csv.field(element(r.katcis, k, j));
            csv.field(element(r.cis, k, j));
            for (const ResultArray* t : {&r.tem1, &r.tem2})
                thermal ? csv.field(element(*t, k, j)) : csv.emptyField();
            csv.endRow();
        }
    }
    return csv.finish();
}

} // namespace lobus

#pragma once
// What the quantities a solver file names its columns by mean, in the
// language in use: "W" is the load, "hmin" the minimum film thickness. The
// files choose their own names; those the program knows get a meaning, any
// other stands as the file writes it.

#include <QString>

#include <string_view>

namespace lobus {

// The meaning of a column name, or an empty text for a name the program does
// not know. Names are matched as written ("N", the power loss, is not "n",
// the speed).
QString quantityMeaning(std::string_view name);

} // namespace lobus

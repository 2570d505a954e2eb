// The JSON and CSV writers on what the cases' own tests never give them:
// texts to quote, empty and nested containers.

#include "dataexport/csvwriter.h"
#include "dataexport/jsonwriter.h"

#include <gtest/gtest.h>

#include <limits>

namespace lobus::test {
namespace {

TEST(JsonWriter, QuotesTextsAndLaysOutNestedContainers)
{
    using Layout = JsonWriter::Layout;
    JsonWriter j;
    j.beginObject(Layout::Lines);
    j.key("name \"A\"\\\n");
    j.value("x\ty");
    j.key("rows");
    j.beginArray(Layout::Lines);
    j.beginArray();
    j.value(1);
    j.value(0.5f);
    j.value(std::numeric_limits<float>::infinity());
    j.endArray();
    j.beginArray(Layout::Lines);
    j.endArray();
    j.endArray();
    j.key("none");
    j.beginObject();
    j.endObject();
    j.endObject();
    EXPECT_EQ(j.finish(),
              "{\n"
              "  \"name \\\"A\\\"\\\\\\u000a\": \"x\\u0009y\",\n"
              "  \"rows\": [\n"
              "    [1, 0.5, null],\n"
              "    []\n"
              "  ],\n"
              "  \"none\": {}\n"
              "}\n");
}

TEST(CsvWriter, QuotesWhatWouldSplitAFieldOrARow)
{
    CsvWriter csv;
    csv.field("a,b");
    csv.field("say \"hi\"");
    csv.field("plain");
    csv.endRow();
    csv.emptyField();
    csv.field(-3);
    csv.field(std::numeric_limits<float>::quiet_NaN());
    csv.emptyField();
    csv.endRow();
    EXPECT_EQ(csv.finish(), "\"a,b\",\"say \"\"hi\"\"\",plain\n,-3,nan,\n");
}

} // namespace
} // namespace lobus::test

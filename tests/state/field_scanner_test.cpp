#include "state/field_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov {
namespace {

// The fields of the data, quoted ones written back between quotes.
std::vector<std::string> Scan(std::string_view data) {
  FieldScanner scanner(data);
  std::vector<std::string> fields;
  while (auto field = scanner.Next()) {
    fields.push_back(field->quoted ? "\"" + field->text + "\"" : field->text);
    if (fields.size() > 100) break;  // a scanner that stops advancing must not hang the test
  }
  return fields;
}

using Fields = std::vector<std::string>;

TEST(FieldScanner, CommasAndEveryKindOfLineEndSeparateFields) {
  EXPECT_EQ(Scan("1,2.5,abc"), (Fields{"1", "2.5", "abc"}));
  EXPECT_EQ(Scan("1\r\n2\n3\r4"), (Fields{"1", "2", "3", "4"}));
  EXPECT_EQ(Scan("1,2\r\n3,4\r\n"), (Fields{"1", "2", "3", "4"}));
}

TEST(FieldScanner, TwoSeparatorsInARowGiveAnEmptyField) {
  EXPECT_EQ(Scan("1,,3"), (Fields{"1", "", "3"}));
  EXPECT_EQ(Scan(",1"), (Fields{"", "1"}));
  EXPECT_EQ(Scan("1\r\n\r\n2"), (Fields{"1", "", "2"}));
  EXPECT_EQ(Scan("1\r\n,2"), (Fields{"1", "", "2"}));
}

TEST(FieldScanner, EndOfDataEndsTheFieldsWithoutAnExtraEmptyOne) {
  EXPECT_EQ(Scan(""), Fields{});
  EXPECT_EQ(Scan("  \t "), Fields{});
  EXPECT_EQ(Scan("1,2,"), (Fields{"1", "2"}));
  EXPECT_EQ(Scan("7\n"), (Fields{"7"}));
}

TEST(FieldScanner, QuotedTextsKeepCommasAndBlanks) {
  EXPECT_EQ(Scan("\"x, y\",2"), (Fields{"\"x, y\"", "2"}));
  EXPECT_EQ(Scan("  \"  q  \"  ,3"), (Fields{"\"  q  \"", "3"}));
  EXPECT_EQ(Scan("\"\",\"0042\""), (Fields{"\"\"", "\"0042\""}));
  EXPECT_EQ(Scan("\"line\nbreak\",1"), (Fields{"\"line\nbreak\"", "1"}));
}

TEST(FieldScanner, TextAfterAClosingQuoteIsSkipped) {
  EXPECT_EQ(Scan("\"abc\" junk,next"), (Fields{"\"abc\"", "next"}));
  EXPECT_EQ(Scan("\"abc\"x\r\n5"), (Fields{"\"abc\"", "5"}));
}

TEST(FieldScanner, AMissingClosingQuoteRunsToTheEndOfData) {
  EXPECT_EQ(Scan("1,\"open, text\r\n2"), (Fields{"1", "\"open, text\r\n2\""}));
}

TEST(FieldScanner, UnquotedFieldsLoseSurroundingBlanksButKeepInnerOnes) {
  EXPECT_EQ(Scan("  5  ,\t7\t\n a b "), (Fields{"5", "7", "a b"}));
  EXPECT_EQ(Scan("ab\"c,d"), (Fields{"ab\"c", "d"}));
}

}  // namespace
}  // namespace tov

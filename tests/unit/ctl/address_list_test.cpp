#include "tools/ctl/address_list.h"

#include <gtest/gtest.h>

namespace korvex7::ctl {
namespace {

struct Row {
  const char* text;
  std::vector<std::int32_t> addresses;
};

TEST(AddressList, ValidLists) {
  const Row rows[] = {
      {"05", {5}},
      {"5", {5}},
      {"00", {0}},
      {"31", {31}},
      {"FF", {32}},
      {"ff", {32}},
      {"03-07", {3, 4, 5, 6, 7}},
      {"07-07", {7}},
      {"01,04,10-12", {1, 4, 10, 11, 12}},
      {"12,01", {12, 1}},  // served in the order given
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const AddressList list = ParseAddressList(row.text);
    ASSERT_TRUE(list.ok()) << list.error;
    EXPECT_EQ(list.addresses, row.addresses);
  }
}

TEST(AddressList, MalformedLists) {
  const char* rows[] = {"",      "32",     "99",    "100",      "-1",  "a1",       "1a",  "05,",
                        ",05",   "05,,06", "07-03", "03-",      "-03", "03-07-09", "FE",  "FFF",
                        "FF,01", "01,FF",  "05,05", "03-06,05", " 05", "05 ",      "0x05"};
  for (const char* text : rows) {
    SCOPED_TRACE(text);
    const AddressList list = ParseAddressList(text);
    EXPECT_FALSE(list.ok());
    EXPECT_TRUE(list.addresses.empty());
  }
}

TEST(AddressList, NamesAreTheWireDigits) {
  EXPECT_EQ(AddressName(0), "00");
  EXPECT_EQ(AddressName(9), "09");
  EXPECT_EQ(AddressName(31), "31");
  EXPECT_EQ(AddressName(32), "FF");
}

}  // namespace
}  // namespace korvex7::ctl

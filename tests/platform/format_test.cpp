#include "platform/text/format.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Format, NumbersRoundHalfAwayFromZeroAndGroupThousands) {
  EXPECT_EQ(FormatFloat("#,##0", 0), "0");
  EXPECT_EQ(FormatFloat("#,##0", 999), "999");
  EXPECT_EQ(FormatFloat("#,##0", 1000), "1,000");
  EXPECT_EQ(FormatFloat("#,##0", 4194304), "4,194,304");
  EXPECT_EQ(FormatFloat("#,##0", 18014398509481984.0), "18,014,398,509,481,984");
  EXPECT_EQ(FormatFloat("##0", 39.5), "40");  // not to even
  EXPECT_EQ(FormatFloat("##0", 40.5), "41");
  EXPECT_EQ(FormatFloat("##0", 60), "60");
  EXPECT_EQ(FormatFloat("##0", -5), "-5");
  EXPECT_EQ(FormatFloat("##0", -0.4), "0");
  EXPECT_EQ(FormatFloat("##0", 1234), "1234");
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1.00");  // 1.005 is just below in binary
  EXPECT_EQ(FormatFloat("#,##0.0#", 1234.5), "1,234.5");
  EXPECT_EQ(FormatFloat("#,##0KB", 2048), "2,048KB");
}

TEST(Format, DatesUseTheJapaneseShortFormats) {
  // 2025-01-02 12:34:56 and 2003-04-05 09:07:00.
  const DateTimeValue noon = 45659 + (12 * 3600 + 34 * 60 + 56) / 86400.0;
  const DateTimeValue morning = 37716 + (9 * 3600 + 7 * 60) / 86400.0;
  EXPECT_EQ(FormatDateTime("ddddd t", noon), "2025/01/02 12:34");
  EXPECT_EQ(FormatDateTime("ddddd t", morning), "2003/04/05 9:07");
  EXPECT_EQ(FormatDateTime("c", morning), "2003/04/05 9:07:00");
  EXPECT_EQ(FormatDateTime("yy/m/d hh:nn:ss", morning), "03/4/5 09:07:00");
  EXPECT_EQ(FormatDateTime("h'時'mm'分'", morning), "9時07分");
  EXPECT_EQ(FormatDateTime("ddddd t", 0), "1899/12/30 0:00");
  EXPECT_EQ(FormatDateTime("ddddd", -1), "1899/12/29");
  EXPECT_EQ(FormatDateTime("ddddd", 2958465), "9999/12/31");
  EXPECT_EQ(FormatDateTime("ddddd", 1e300), "1899/12/30");
}

TEST(Format, AnsiUpperCaseTouchesAsciiLettersOnly) {
  EXPECT_EQ(AnsiUpperCase("readme.txt"), "README.TXT");
  EXPECT_EQ(AnsiUpperCase("ａｂｃ説明.Txt"), "ａｂｃ説明.TXT");
}

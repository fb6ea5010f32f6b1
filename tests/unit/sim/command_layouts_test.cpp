#include "tools/sim/command_layouts.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "tests/unit/sim/sim_test_support.h"

namespace korvex7::sim {
namespace {

using simtest::DifferingState;
using simtest::Join;
using simtest::Repeat;
using simtest::VariedState;

using Effect = std::function<void(UnitState&)>;

struct ValidCommand {
  std::string frame;
  Effect effect;  // what the command does to the varied state
};

template <std::size_t N>
void Fill(std::array<std::int32_t, N>& a, std::int32_t v) {
  a.fill(v);
}

TitleText TitleFromBytes(const std::string& bytes) {
  TitleText t{};
  SetText(t, bytes);
  return t;
}

const std::string kBlank = "\x81\x40";

std::vector<ValidCommand> ValidCommands() {
  return {
      // Alarm.
      {"AMI\r\n", [](UnitState& u) { u.settings.alarm.mode = 0; }},
      {"AME\r\n", [](UnitState& u) { u.settings.alarm.mode = 1; }},
      {"ADT030\r\n",
       [](UnitState& u) {
         SetText(u.settings.alarm.holdTimeText, "030");
         u.settings.alarm.holdTime = 30;
       }},
      {"ADT005\r\n",
       [](UnitState& u) {
         SetText(u.settings.alarm.holdTimeText, "005");
         u.settings.alarm.holdTime = 5;
       }},
      {"ADT001\r\n",
       [](UnitState& u) {
         SetText(u.settings.alarm.holdTimeText, "001");
         u.settings.alarm.holdTime = 1;
       }},
      {"ADT999\r\n",
       [](UnitState& u) {
         SetText(u.settings.alarm.holdTimeText, "999");
         u.settings.alarm.holdTime = 999;
       }},
      {"APM\r\n", [](UnitState& u) { u.settings.alarm.inputPolarity = 0; }},
      {"APB\r\n", [](UnitState& u) { u.settings.alarm.inputPolarity = 1; }},
      {"ADON\r\n", [](UnitState& u) { u.settings.alarm.display = 1; }},
      {"ADOF\r\n", [](UnitState& u) { u.settings.alarm.display = 0; }},
      {"ARON\r\n", [](UnitState& u) { u.settings.alarm.returnOn = 1; }},
      {"AROF\r\n", [](UnitState& u) { u.settings.alarm.returnOn = 0; }},

      // Video loss.
      {"VLNNNNNNNNNNNNNNNN\r\n", [](UnitState& u) { Fill(u.settings.videoLoss.detect, 1); }},
      {"VLNNFNNNNNNNNNNNNN\r\n",
       [](UnitState& u) {
         Fill(u.settings.videoLoss.detect, 1);
         u.settings.videoLoss.detect[2] = 0;
       }},
      {"VLFFFFFFFFFFFFFFFN\r\n", [](UnitState& u) { u.settings.videoLoss.detect[15] = 1; }},
      {"VLDON\r\n", [](UnitState& u) { u.settings.videoLoss.display = 1; }},
      {"VLDOF\r\n", [](UnitState& u) { u.settings.videoLoss.display = 0; }},
      {"VLSOON\r\n", [](UnitState& u) { u.settings.videoLoss.signalOutput = 1; }},
      {"VLSOOF\r\n", [](UnitState& u) { u.settings.videoLoss.signalOutput = 0; }},
      {"VLBCN\r\n", [](UnitState& u) { u.settings.videoLoss.background = 0; }},
      {"VLBCB\r\n", [](UnitState& u) { u.settings.videoLoss.background = 1; }},

      // Date and time: 5 March 2016, 09:07:00, one component per command.
      {"DSY16\r\n", [](UnitState& u) { u.clock.year = 16; }},
      {"DSM03\r\n", [](UnitState& u) { u.clock.month = 3; }},
      {"DSD05\r\n", [](UnitState& u) { u.clock.day = 5; }},
      {"TSH09\r\n", [](UnitState& u) { u.clock.hour = 9; }},
      {"TSM07\r\n", [](UnitState& u) { u.clock.minute = 7; }},
      {"TSS00\r\n", [](UnitState& u) { u.clock.second = 0; }},
      {"DSY00\r\n", [](UnitState& u) { u.clock.year = 0; }},
      {"DSY99\r\n", [](UnitState& u) { u.clock.year = 99; }},
      {"DSM01\r\n", [](UnitState& u) { u.clock.month = 1; }},
      {"DSM12\r\n", [](UnitState& u) { u.clock.month = 12; }},
      {"DSD31\r\n", [](UnitState& u) { u.clock.day = 31; }},  // for any month
      {"TSH00\r\n", [](UnitState& u) { u.clock.hour = 0; }},
      {"TSH23\r\n", [](UnitState& u) { u.clock.hour = 23; }},
      {"TSM59\r\n", [](UnitState& u) { u.clock.minute = 59; }},
      {"TSS59\r\n", [](UnitState& u) { u.clock.second = 59; }},
      {"TSA\r\n",  // 11:11:11 goes to the nearest full minute, 11:11:00
       [](UnitState& u) {
         u.clock.second = 0;
         u.clockAdjustments = 1;
       }},
      {"TSDR1\r\n", [](UnitState& u) { u.settings.dateTime.displayRange = 0; }},
      {"TSDR3\r\n", [](UnitState& u) { u.settings.dateTime.displayRange = 2; }},
      {"TSDR8\r\n", [](UnitState& u) { u.settings.dateTime.displayRange = 7; }},
      {"TSDON\r\n", [](UnitState& u) { u.settings.dateTime.display = 1; }},
      {"TSDOF\r\n", [](UnitState& u) { u.settings.dateTime.display = 0; }},

      // Titles.
      {"CJ012121212121212343234823302331212121212121\r\n",
       [](UnitState& u) { u.settings.title.text[0] = DefaultTitle(0); }},
      {"CJ162121212121212343234823312336212121212121\r\n",
       [](UnitState& u) { u.settings.title.text[15] = DefaultTitle(15); }},
      {"CJ03" + Repeat("2121", 10) + "\r\n",
       [](UnitState& u) { u.settings.title.text[2] = TitleFromBytes(Repeat(kBlank, 10)); }},
      // NEC-selected IBM extension: small roman numeral one.
      {"CJ057C71" + Repeat("2121", 9) + "\r\n",
       [](UnitState& u) {
         u.settings.title.text[4] = TitleFromBytes("\xEE\xEF" + Repeat(kBlank, 9));
       }},
      {"CJ0723412342" + Repeat("2121", 8) + "\r\n",
       [](UnitState& u) {
         u.settings.title.text[6] = TitleFromBytes("\x82\x60\x82\x61" + Repeat(kBlank, 8));
       }},
      {"CTDSON\r\n", [](UnitState& u) { u.settings.titleDisplay.single = 1; }},
      {"CTDSOF\r\n", [](UnitState& u) { u.settings.titleDisplay.single = 0; }},
      {"CTDDON\r\n", [](UnitState& u) { u.settings.titleDisplay.split = 1; }},
      {"CTDDOF\r\n", [](UnitState& u) { u.settings.titleDisplay.split = 0; }},
      {"CTFSSL\r\n", [](UnitState& u) { u.settings.fontSize.single = 1; }},
      {"CTFSSS\r\n", [](UnitState& u) { u.settings.fontSize.single = 0; }},
      {"CTFSDL\r\n", [](UnitState& u) { u.settings.fontSize.split = 1; }},
      {"CTFSDS\r\n", [](UnitState& u) { u.settings.fontSize.split = 0; }},
      {"OOV08\r\n", [](UnitState& u) { u.settings.titlePosition.vertical = 8; }},
      {"OOV00\r\n", [](UnitState& u) { u.settings.titlePosition.vertical = 0; }},
      {"OOV15\r\n", [](UnitState& u) { u.settings.titlePosition.vertical = 15; }},
      {"OOH08\r\n", [](UnitState& u) { u.settings.titlePosition.horizontal = 8; }},
      {"OOH15\r\n", [](UnitState& u) { u.settings.titlePosition.horizontal = 15; }},

      // Other settings.
      {"CIA\r\n", [](UnitState& u) { u.settings.other.connectorInput = 0; }},
      {"CIR\r\n", [](UnitState& u) { u.settings.other.connectorInput = 1; }},
      {"BLO\r\n", [](UnitState& u) { u.settings.other.borderLine = 0; }},
      {"BLW\r\n", [](UnitState& u) { u.settings.other.borderLine = 1; }},
      {"BLG\r\n", [](UnitState& u) { u.settings.other.borderLine = 2; }},
      {"BLB\r\n", [](UnitState& u) { u.settings.other.borderLine = 3; }},
      {"POSS01\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 0; }},
      {"POSS16\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 15; }},
      {"POSD4A\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 16; }},
      {"POSD4D\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 19; }},
      {"POSD9B\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 21; }},
      {"POSD13A\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 22; }},
      {"POSD13B\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 23; }},
      {"POSD16\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 24; }},
      {"POSCAS\r\n", [](UnitState& u) { u.settings.other.powerOnScreen = 25; }},
      {"NAR4\r\n", [](UnitState& u) { u.settings.other.ntscAspect = 0; }},
      {"NARF\r\n", [](UnitState& u) { u.settings.other.ntscAspect = 1; }},

      // Auto switching.
      {"CASMS\r\n", [](UnitState& u) { u.settings.autoSwitch.mode = 0; }},
      {"CASMD\r\n", [](UnitState& u) { u.settings.autoSwitch.mode = 1; }},
      {"CASMM\r\n", [](UnitState& u) { u.settings.autoSwitch.mode = 2; }},
      {"CASTS0103\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[0] = 3; }},
      {"CASTS1699\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[15] = 99; }},
      {"CASTD4A05\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[16] = 5; }},
      {"CASTD9B00\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[21] = 0; }},
      {"CASTD13B10\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[23] = 10; }},
      {"CASTD1600\r\n", [](UnitState& u) { u.settings.autoSwitch.dwellTime[24] = 0; }},
      {"CASTM" + Repeat("03", 25) + "\r\n",
       [](UnitState& u) { u.settings.autoSwitch.dwellTime.fill(3); }},
      {"CASTS01020304050607080910111213141516\r\n",
       [](UnitState& u) {
         for (int i = 0; i < 16; ++i)
           u.settings.autoSwitch.dwellTime[static_cast<std::size_t>(i)] = i + 1;
       }},
      {"CASTD000000000000000000\r\n",
       [](UnitState& u) {
         for (std::size_t i = 16; i < 25; ++i) u.settings.autoSwitch.dwellTime[i] = 0;
       }},

      // Screen switching.
      {"CS01\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 0; }},
      {"CS05\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 4; }},
      {"CS16\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 15; }},
      {"CD4A\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 16; }},
      {"CD9A\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 20; }},
      {"CD13B\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 23; }},
      {"CD16\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 24; }},
      {"CCAS\r\n", [](UnitState& u) { u.settings.screenSwitch.picture = 25; }},

      // Split-screen layouts (the defaults, and one free placement).
      {"SPD4A01020304\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.quadA = {0, 1, 2, 3};
       }},
      {"SPD4B16010203\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.quadB = {15, 0, 1, 2};
       }},
      {"SPD4D13141516\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.quadD = {12, 13, 14, 15};
       }},
      {"SPD9A010203040506070809\r\n",
       [](UnitState& u) { u.settings.splitLayout.nineA = {0, 1, 2, 3, 4, 5, 6, 7, 8}; }},
      {"SPD9B080910111213141516\r\n",
       [](UnitState& u) { u.settings.splitLayout.nineB = {7, 8, 9, 10, 11, 12, 13, 14, 15}; }},
      {"SPD13A01020304050607080910111213\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.thirteenA = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
       }},
      {"SPD13B01020304050607080910141516\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.thirteenB = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15};
       }},
      {"SPD1601020304050607080910111213141516\r\n",
       [](UnitState& u) {
         u.settings.splitLayout.sixteen = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
       }},

      // Video adjustment, all channels.
      {"VAB" + Repeat("000", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.brightness, 64); }},
      {"VAB" + Repeat("064", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.brightness, 0); }},
      {"VAB" + Repeat("127", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.brightness, 63); }},
      {"VAB" + Repeat("063", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.brightness, 127); }},
      {"VAC064064064064064064064064064064064064064064064064\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.contrast, 64); }},
      {"VASA080080080080080080080080080080080080080080080080\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.saturation, 80); }},
      {"VASH00000000000000000000000000000000\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.sharpness, 0); }},
      {"VAH" + Repeat("000", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.hue, 124); }},
      {"VAH" + Repeat("132", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.hue, 0); }},
      {"VAH" + Repeat("255", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.hue, 123); }},
      {"VAH" + Repeat("127", 16) + "\r\n",
       [](UnitState& u) { Fill(u.settings.videoAdjust.hue, 251); }},
      // Video adjustment, one channel.
      {"VAB03127\r\n", [](UnitState& u) { u.settings.videoAdjust.brightness[2] = 63; }},
      {"VAB12010\r\n", [](UnitState& u) { u.settings.videoAdjust.brightness[11] = 74; }},
      {"VAH01132\r\n", [](UnitState& u) { u.settings.videoAdjust.hue[0] = 0; }},
      {"VAH16127\r\n", [](UnitState& u) { u.settings.videoAdjust.hue[15] = 251; }},
      {"VAH02255\r\n", [](UnitState& u) { u.settings.videoAdjust.hue[1] = 123; }},
      {"VASH0531\r\n", [](UnitState& u) { u.settings.videoAdjust.sharpness[4] = 31; }},
      {"VASA02080\r\n", [](UnitState& u) { u.settings.videoAdjust.saturation[1] = 80; }},
      {"VAC01064\r\n", [](UnitState& u) { u.settings.videoAdjust.contrast[0] = 64; }},

      // AGC and video format.
      {"AGCNNNNNNNNNNNNNNNN\r\n", [](UnitState& u) { Fill(u.settings.agc.on, 1); }},
      {"AGCFNNNNNNNNNNNNNNN\r\n",
       [](UnitState& u) {
         Fill(u.settings.agc.on, 1);
         u.settings.agc.on[0] = 0;
       }},
      {"VF011\r\n", [](UnitState& u) { u.settings.videoFormat.format[0] = 0; }},
      {"VF107\r\n", [](UnitState& u) { u.settings.videoFormat.format[9] = 6; }},
      {"VF163\r\n", [](UnitState& u) { u.settings.videoFormat.format[15] = 2; }},
      {"VF3333333333333333\r\n", [](UnitState& u) { Fill(u.settings.videoFormat.format, 2); }},
      {"VF1234567123456712\r\n",
       [](UnitState& u) {
         for (int i = 0; i < 16; ++i)
           u.settings.videoFormat.format[static_cast<std::size_t>(i)] = i % 7;
       }},
  };
}

TEST(CommandLayouts, AcceptedCommandsAnswerGoAndChangeExactlyTheirSetting) {
  for (const ValidCommand& c : ValidCommands()) {
    SCOPED_TRACE(c.frame);
    UnitState actual = VariedState();
    UnitState expected = VariedState();
    c.effect(expected);
    EXPECT_EQ(AnswerCommand(actual, c.frame), "GO\r\n");
    EXPECT_EQ(Join(DifferingState(actual, expected)), "");
  }
}

// Every row must be refused with "E3" and change nothing.
const std::vector<std::string> kRefusedCommands = {
    // Not a command at all.
    "",
    "\r\n",
    "\n",
    "XYZ\r\n",
    "GO\r\n",
    "E3\r\n",
    "ami\r\n",
    std::string("\0\xFF\r\n", 4),
    "AMI\r\n\r\n",
    // Alarm: letters, lengths, line end.
    "AMX\r\n",
    "AMi\r\n",
    "AM\r\n",
    "AMII\r\n",
    "AMI\n",
    "AMI\r",
    "AMI",
    " AMI\r\n",
    "AMI \r\n",
    "ADT000\r\n",
    "ADT1000\r\n",
    "ADT30\r\n",
    "ADT0A0\r\n",
    "ADT-01\r\n",
    "ADT 30\r\n",
    "APX\r\n",
    "ADOX\r\n",
    "ADO1\r\n",
    "AROn\r\n",
    // Video loss.
    "VLNNNNNNNNNNNNNNN\r\n",
    "VLNNNNNNNNNNNNNNNNN\r\n",
    "VLNNNNNNNNNNNNNNNX\r\n",
    "VLDOB\r\n",
    "VLSOO1\r\n",
    "VLBCF\r\n",
    "VLBC\r\n",
    // Date and time.
    "DSY100\r\n",
    "DSY1\r\n",
    "DSM00\r\n",
    "DSM13\r\n",
    "DSD00\r\n",
    "DSD32\r\n",
    "TSH24\r\n",
    "TSM60\r\n",
    "TSS60\r\n",
    "TSA0\r\n",
    "TSA \r\n",
    "TSDR0\r\n",
    "TSDR9\r\n",
    "TSDRA\r\n",
    "TSDOX\r\n",
    "DSYAB\r\n",
    // Titles: channel, hexadecimal digits, JIS range, length.
    "CJ00" + Repeat("2121", 10) + "\r\n",
    "CJ17" + Repeat("2121", 10) + "\r\n",
    "CJ01" + Repeat("2121", 9) + "\r\n",
    "CJ01" + Repeat("2121", 11) + "\r\n",
    "CJ01" + Repeat("2121", 9) + "212\r\n",
    "CJ01" + Repeat("2121", 9) + "7c71\r\n",
    "CJ01" + Repeat("2121", 9) + "212G\r\n",
    "CJ01" + Repeat("2121", 9) + "2020\r\n",
    "CJ01" + Repeat("2121", 9) + "217F\r\n",
    "CJ01" + Repeat("2121", 9) + "7F21\r\n",
    "CJ01" + Repeat("2121", 9) + "0000\r\n",
    "CJ1" + Repeat("2121", 10) + "\r\n",
    "CTDSOX\r\n",
    "CTDDO\r\n",
    "CTFSSX\r\n",
    "CTFSDN\r\n",
    "OOV16\r\n",
    "OOV99\r\n",
    "OOV8\r\n",
    "OOH16\r\n",
    "OOH-1\r\n",
    // Other settings.
    "CIX\r\n",
    "BLX\r\n",
    "BLb\r\n",
    "POSS00\r\n",
    "POSS17\r\n",
    "POSS1\r\n",
    "POSD12A\r\n",
    "POSD12B\r\n",
    "POSD13C\r\n",
    "POSD4E\r\n",
    "POSCA\r\n",
    "POSCASS\r\n",
    "POS\r\n",
    "NAR3\r\n",
    "NAR43\r\n",
    // Auto switching.
    "CASMX\r\n",
    "CASM\r\n",
    "CASTS0100 \r\n",
    "CASTS1703\r\n",
    "CASTS0003\r\n",
    "CASTS01100\r\n",
    "CASTS013\r\n",
    "CASTD4E05\r\n",
    "CASTD12A05\r\n",
    "CASTD13C05\r\n",
    "CASTD4A5\r\n",
    "CASTM" + Repeat("03", 24) + "\r\n",
    "CASTM" + Repeat("03", 26) + "\r\n",
    "CASTM" + Repeat("03", 24) + "9:\r\n",
    "CASTS" + Repeat("03", 15) + "\r\n",
    "CASTD" + Repeat("03", 8) + "\r\n",
    "CASTD" + Repeat("03", 10) + "\r\n",
    // Screen switching.
    "CS00\r\n",
    "CS17\r\n",
    "CS5\r\n",
    "CD4E\r\n",
    "CD12A\r\n",
    "CD13\r\n",
    "CCAS1\r\n",
    "CCA\r\n",
    // Split layouts: channel 00 or 17, a channel twice, wrong count or name.
    "SPD4A01020300\r\n",
    "SPD4A01020317\r\n",
    "SPD4A03030102\r\n",
    "SPD4A0102030\r\n",
    "SPD4A010203\r\n",
    "SPD4A0102030405\r\n",
    "SPD4E01020304\r\n",
    "SPD401020304\r\n",
    "SPD9A010203040506070801\r\n",
    "SPD13B01020304050607080910141514\r\n",
    "SPD1601020304050607080910111213141501\r\n",
    "SPD16010203040506070809101112131415\r\n",
    "SPD12A01020304050607080910111213\r\n",
    // Video adjustment: channel, range, the hue gap, lengths.
    "VAB00000\r\n",
    "VAB17000\r\n",
    "VAB01128\r\n",
    "VAB0100\r\n",
    "VAB" + Repeat("000", 15) + "128\r\n",
    "VAB" + Repeat("000", 15) + "\r\n",
    "VAB" + Repeat("000", 17) + "\r\n",
    "VAC01128\r\n",
    "VAC" + Repeat("064", 15) + "200\r\n",
    "VAH01128\r\n",
    "VAH01131\r\n",
    "VAH01256\r\n",
    "VAH" + Repeat("000", 15) + "130\r\n",
    "VASH0132\r\n",
    "VASH01031\r\n",
    "VASH" + Repeat("00", 15) + "32\r\n",
    "VASA01128\r\n",
    "VASA" + Repeat("080", 15) + "800\r\n",
    "VASA0208\r\n",
    // AGC and video format.
    "AGCNNNNNNNNNNNNNNNX\r\n",
    "AGCNNNNNNNNNNNNNNN\r\n",
    "AGCNNNNNNNNNNNNNNNNN\r\n",
    "VF010\r\n",
    "VF018\r\n",
    "VF001\r\n",
    "VF171\r\n",
    "VF01\r\n",
    "VF3333333333333330\r\n",
    "VF3333333333333338\r\n",
    "VF333333333333333\r\n",
    // Title cells past the last one of the unit's title font (0x7C7E).
    "CJ017D21" + Repeat("2121", 9) + "\r\n",
    "CJ01" + Repeat("2121", 9) + "7C7F\r\n",
    // Queries the unit does not know.
    "RAMX\r\n",
    "RAM\n",
    "RCJ00\r\n",
    "RCJ17\r\n",
    "RCJ1\r\n",
    "RVAB1\r\n",
    "ram\r\n",
    "RSPD12A\r\n",
    "RPOSD16\r\n",
    "RVLDO\r\n",
    "RADO\r\n",
    "RCASTS\r\n",
    "R\r\n",
};

TEST(CommandLayouts, RefusedCommandsAnswerE3AndChangeNothing) {
  for (const std::string& frame : kRefusedCommands) {
    SCOPED_TRACE(::testing::Message()
                 << "frame \"" << frame << "\" (" << frame.size() << " bytes)");
    UnitState state = VariedState();
    EXPECT_EQ(AnswerCommand(state, frame), "E3\r\n");
    EXPECT_EQ(Join(DifferingState(state, VariedState())), "");
  }
}

std::string DefaultTitleHex(int channel) {
  return "212121212121"
         "2343"
         "2348"
         "233" +
         std::to_string(channel / 10) + "233" + std::to_string(channel % 10) + "212121212121";
}

struct QueryAnswer {
  std::string query;
  std::string answer;
};

std::vector<QueryAnswer> AnswersAtDefaults() {
  std::vector<QueryAnswer> rows = {
      {"RAM\r\n", "AMI\r\n"},     {"RADT\r\n", "ADT030\r\n"},
      {"RAP\r\n", "APM\r\n"},     {"RAD\r\n", "ADON\r\n"},
      {"RAR\r\n", "ARON\r\n"},    {"RVL\r\n", "VLNNNNNNNNNNNNNNNN\r\n"},
      {"RVLD\r\n", "VLDON\r\n"},  {"RVLSO\r\n", "VLSOOF\r\n"},
      {"RVLBC\r\n", "VLBCN\r\n"}, {"RTSDR\r\n", "TSDR1\r\n"},
      {"RTSD\r\n", "TSDON\r\n"},
  };
  for (int ch = 1; ch <= 16; ++ch) {
    const std::string nn = (ch < 10 ? "0" : "") + std::to_string(ch);
    rows.push_back({"RCJ" + nn + "\r\n", "CJ" + nn + DefaultTitleHex(ch) + "\r\n"});
  }
  const std::vector<QueryAnswer> rest = {
      {"RCTDS\r\n", "CTDSON\r\n"},
      {"RCTDD\r\n", "CTDDON\r\n"},
      {"RCTFSS\r\n", "CTFSSL\r\n"},
      {"RCTFSD\r\n", "CTFSDL\r\n"},
      {"RCASTM\r\n", "CASTM03030303030303030303030303030303030303030303030303\r\n"},
      {"RCASM\r\n", "CASMM\r\n"},
      {"RVAB\r\n", "VAB000000000000000000000000000000000000000000000000\r\n"},
      {"RVAC\r\n", "VAC064064064064064064064064064064064064064064064064\r\n"},
      {"RVASH\r\n", "VASH00000000000000000000000000000000\r\n"},
      {"RVASA\r\n", "VASA080080080080080080080080080080080080080080080080\r\n"},
      {"RVAH\r\n", "VAH000000000000000000000000000000000000000000000000\r\n"},
      {"RAGC\r\n", "AGCNNNNNNNNNNNNNNNN\r\n"},
      {"RVF\r\n", "VF3333333333333333\r\n"},
      {"ROOV\r\n", "OOV08\r\n"},
      {"ROOH\r\n", "OOH08\r\n"},
      {"RSPD4A\r\n", "SPD4A01020304\r\n"},
      {"RSPD4B\r\n", "SPD4B05060708\r\n"},
      {"RSPD4C\r\n", "SPD4C09101112\r\n"},
      {"RSPD4D\r\n", "SPD4D13141516\r\n"},
      {"RSPD9A\r\n", "SPD9A010203040506070809\r\n"},
      {"RSPD9B\r\n", "SPD9B080910111213141516\r\n"},
      {"RSPD13A\r\n", "SPD13A01020304050607080910111213\r\n"},
      {"RSPD13B\r\n", "SPD13B01020304050607080910141516\r\n"},
      {"RSPD16\r\n", "SPD1601020304050607080910111213141516\r\n"},
      {"RCI\r\n", "CIA\r\n"},
      {"RBL\r\n", "BLB\r\n"},
      {"RPOS\r\n", "POSD16\r\n"},
      {"RNAR\r\n", "NAR4\r\n"},
  };
  rows.insert(rows.end(), rest.begin(), rest.end());
  return rows;
}

TEST(CommandLayouts, AnswersEveryQueryAtTheStartUpDefaults) {
  const auto rows = AnswersAtDefaults();
  ASSERT_EQ(rows.size(), 55u);
  for (const QueryAnswer& row : rows) {
    SCOPED_TRACE(row.query);
    UnitState state;
    EXPECT_EQ(AnswerCommand(state, row.query), row.answer);
    EXPECT_EQ(Join(DifferingState(state, UnitState{})), "") << "a query changed the unit";
  }
}

TEST(CommandLayouts, QueryTableHoldsTheReadAllOrder) {
  const auto rows = AnswersAtDefaults();
  const auto queries = Queries();
  ASSERT_EQ(queries.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(queries[i].text, rows[i].query);
  }
}

TEST(CommandLayouts, AnswersCarryTheWireFormOfBrightnessAndHue) {
  UnitState state;
  state.settings.videoAdjust.brightness = {64, 0,  127, 63, 65, 1,  64, 64,
                                           64, 64, 64,  64, 64, 64, 64, 64};
  state.settings.videoAdjust.hue = {124, 123, 0,   251, 125, 1,   124, 124,
                                    124, 124, 124, 124, 124, 124, 124, 124};
  EXPECT_EQ(AnswerCommand(state, "RVAB\r\n"), "VAB000064063127001065" + Repeat("000", 10) + "\r\n");
  EXPECT_EQ(AnswerCommand(state, "RVAH\r\n"), "VAH000255132127001133" + Repeat("000", 10) + "\r\n");
}

TEST(CommandLayouts, TitleAnswerPadsAShortTitleWithBlanks) {
  UnitState state;
  state.settings.title.text[8] = simtest::FullWidthLetters(2);  // "ＡＢ"
  EXPECT_EQ(AnswerCommand(state, "RCJ09\r\n"),
            std::string("CJ09") + simtest::kVariedTitleHex + "\r\n");
  state.settings.title.text[8] = TitleText{};  // empty: ten blanks
  EXPECT_EQ(AnswerCommand(state, "RCJ09\r\n"), "CJ09" + Repeat("2121", 10) + "\r\n");
  // The IBM extension 0xFA40 (small roman numeral one) as the program sends
  // it: its NEC-selected cell.
  state.settings.title.text[8] = TitleFromBytes("\xFA\x40");
  EXPECT_EQ(AnswerCommand(state, "RCJ09\r\n"), "CJ097C71" + Repeat("2121", 9) + "\r\n");
}

// The answers carry every saved setting except videoAdjust.saturationV: fed
// back to a unit at its defaults as commands, they rebuild the settings.
TEST(CommandLayouts, AnswersReplayedAsCommandsRebuildTheSettings) {
  UnitState source = VariedState();
  for (int i = 0; i < kChannels; ++i)
    source.settings.videoAdjust.saturationV[static_cast<std::size_t>(i)] = 90 + i;
  UnitState copy;
  for (const Query& q : Queries()) {
    SCOPED_TRACE(q.text);
    const std::string answer = AnswerCommand(source, q.text);
    ASSERT_NE(answer, "E3\r\n");
    EXPECT_EQ(AnswerCommand(copy, answer), "GO\r\n");
  }
  std::vector<std::string> expected;
  for (int i = 0; i < kChannels; ++i) {
    expected.push_back("videoAdjust.saturationV[" + std::to_string(i) + "]: 80 / " +
                       std::to_string(90 + i));
  }
  EXPECT_EQ(Join(simtest::DifferingSettings(copy.settings, source.settings)), Join(expected));
  EXPECT_EQ(copy.settings.alarm.holdTime, 123);
}

TEST(CommandLayouts, ThirtySecondAdjustmentRoundsToTheNearestMinute) {
  struct Row {
    UnitClock before;
    UnitClock after;
  };
  const Row rows[] = {
      {{16, 3, 5, 9, 7, 29}, {16, 3, 5, 9, 7, 0}},
      {{16, 3, 5, 9, 7, 30}, {16, 3, 5, 9, 8, 0}},
      {{16, 3, 5, 9, 59, 45}, {16, 3, 5, 10, 0, 0}},
      {{16, 3, 31, 23, 59, 30}, {16, 4, 1, 0, 0, 0}},
      {{16, 2, 28, 23, 59, 30}, {16, 2, 29, 0, 0, 0}},  // 2016 is a leap year
      {{15, 2, 28, 23, 59, 30}, {15, 3, 1, 0, 0, 0}},
      {{99, 12, 31, 23, 59, 59}, {0, 1, 1, 0, 0, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message()
                 << r.before.year << "-" << r.before.month << "-" << r.before.day << " "
                 << r.before.hour << ":" << r.before.minute << ":" << r.before.second);
    UnitState state;
    state.clock = r.before;
    EXPECT_EQ(AnswerCommand(state, "TSA\r\n"), "GO\r\n");
    EXPECT_TRUE(state.clock == r.after);
    EXPECT_EQ(state.clockAdjustments, 1);
  }
}

TEST(CommandLayouts, ParseAndFormatAreInverse) {
  for (const Layout* layout : CommandLayouts()) {
    SCOPED_TRACE(layout->keyword);
    if (layout->read == nullptr) continue;
    const Values values = layout->read(VariedState(), 3);
    const auto line = FormatLayout(*layout, values);
    ASSERT_TRUE(line.has_value());
    const auto parsed = ParseLayout(*layout, *line);
    ASSERT_TRUE(parsed.has_value()) << *line;
    EXPECT_EQ(*parsed, values);
  }
}

struct Problem {
  const char* what;
  Effect change;
  std::string message;  // the message starts with this
};

TEST(CommandLayouts, SettingsProblemsNameEachFieldTheUnitCannotHold) {
  const Problem rows[] = {
      {"mode 2", [](UnitState& u) { u.settings.alarm.mode = 2; }, "alarm.mode: a value"},
      {"mode -1", [](UnitState& u) { u.settings.alarm.mode = -1; }, "alarm.mode: a value"},
      {"hold time 000", [](UnitState& u) { SetText(u.settings.alarm.holdTimeText, "000"); },
       "alarm.holdTimeText: a value"},
      {"hold time empty", [](UnitState& u) { SetText(u.settings.alarm.holdTimeText, ""); },
       "alarm.holdTimeText: a value"},
      {"hold time 1a", [](UnitState& u) { SetText(u.settings.alarm.holdTimeText, "1a"); },
       "alarm.holdTimeText: a value"},
      {"brightness 128", [](UnitState& u) { u.settings.videoAdjust.brightness[3] = 128; },
       "videoAdjust.brightness[3]: a value"},
      {"brightness -1", [](UnitState& u) { u.settings.videoAdjust.brightness[3] = -1; },
       "videoAdjust.brightness[3]: a value"},
      {"hue 252", [](UnitState& u) { u.settings.videoAdjust.hue[0] = 252; },
       "videoAdjust.hue[0]: a value"},
      {"sharpness 32", [](UnitState& u) { u.settings.videoAdjust.sharpness[15] = 32; },
       "videoAdjust.sharpness[15]: a value"},
      {"dwell 100", [](UnitState& u) { u.settings.autoSwitch.dwellTime[24] = 100; },
       "autoSwitch.dwellTime[24]: a value"},
      {"format 7", [](UnitState& u) { u.settings.videoFormat.format[0] = 7; },
       "videoFormat.format[0]: a value"},
      {"font size 5", [](UnitState& u) { u.settings.fontSize.single = 5; },
       "fontSize.single: a value"},
      {"power-on screen 26", [](UnitState& u) { u.settings.other.powerOnScreen = 26; },
       "other.powerOnScreen: a value"},
      {"offset 16", [](UnitState& u) { u.settings.titlePosition.horizontal = 16; },
       "titlePosition.horizontal: a value"},
      {"no channel", [](UnitState& u) { u.settings.splitLayout.quadC[1] = -1; },
       "splitLayout.quadC[1]: a value"},
      {"channel twice",
       [](UnitState& u) { u.settings.splitLayout.quadB[2] = u.settings.splitLayout.quadB[0]; },
       "splitLayout.quadB: a channel is placed twice"},
      {"half-width letter",
       [](UnitState& u) {
         SetText(u.settings.title.text[4],
                 "\x82\x60"
                 "A");
       },
       "title.text[4]: a character"},
      {"two half-width letters", [](UnitState& u) { SetText(u.settings.title.text[4], "AB"); },
       "title.text[4]: a character"},
      {"user-defined character",
       [](UnitState& u) { SetText(u.settings.title.text[4], "\xF0\x40"); },
       "title.text[4]: a character"},
  };
  for (const Problem& row : rows) {
    SCOPED_TRACE(row.what);
    UnitState state = VariedState();
    row.change(state);
    const auto problems = SettingsProblems(state);
    ASSERT_EQ(problems.size(), 1u) << Join(problems);
    EXPECT_EQ(problems[0].rfind(row.message, 0), 0u) << problems[0];
  }
}

TEST(CommandLayouts, DefaultsAndSaturationVRaiseNoProblem) {
  UnitState state;
  EXPECT_EQ(Join(SettingsProblems(state)), "");
  state = VariedState();
  state.settings.videoAdjust.saturationV.fill(-999);  // carried by no command
  EXPECT_EQ(Join(SettingsProblems(state)), "");
  ResetSettings(state.settings);  // New: the border line off
  EXPECT_EQ(Join(SettingsProblems(state)), "");
}

}  // namespace
}  // namespace korvex7::sim

namespace korvex7::sim {
namespace {

// Whatever the unit accepts, it can report back: frames made by changing
// one byte of a valid command are either refused or leave settings that
// every query can carry.
TEST(CommandLayouts, MutatedCommandsNeverLeaveAnUnreportableUnit) {
  std::mt19937 random(20240605);
  const auto commands = ValidCommands();
  const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ:\r\n\x81\xFF";
  int accepted = 0;
  const UnitState start;
  for (int i = 0; i < 5000; ++i) {
    std::string frame = commands[random() % commands.size()].frame;
    frame[random() % frame.size()] = alphabet[random() % alphabet.size()];
    UnitState state;
    const std::string answer = AnswerCommand(state, frame);
    if (answer == "E3\r\n") {
      ASSERT_TRUE(SavedFieldsEqual(state.settings, start.settings) && state.clock == start.clock &&
                  state.settings.screenSwitch.picture == start.settings.screenSwitch.picture)
          << frame;
      continue;
    }
    ASSERT_EQ(answer, "GO\r\n") << frame;
    ++accepted;
    ASSERT_EQ(Join(SettingsProblems(state)), "") << frame;
  }
  EXPECT_GT(accepted, 250);  // the mutations did reach valid commands
}

}  // namespace
}  // namespace korvex7::sim

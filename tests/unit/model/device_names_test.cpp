// Names Windows gives to devices: refused as settings files whatever their
// case, extension, folder or drive; names that only look like them are files.
#include "core/model/device_names.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex7 {
namespace {

struct Row {
  const char* path;
  const char* device;  // what DeviceNameIn finds; "" for a file
};

TEST(DeviceNames, DevicesWhateverTheirSpelling) {
  const Row rows[] = {
      // Every plain device, bare and with an extension.
      {"CON", "CON"},
      {"PRN.dat", "PRN"},
      {"AUX.dat", "AUX"},
      {"NUL.dat", "NUL"},
      {"CONIN$", "CONIN$"},
      {"conout$.dat", "conout$"},
      // Each port number, in any letter case.
      {"COM1.dat", "COM1"},
      {"com9.dat", "com9"},
      {"Com5", "Com5"},
      {"LPT1.dat", "LPT1"},
      {"lpt9.txt", "lpt9"},
      // The superscript digits Windows takes for 1, 2 and 3.
      {"COM\xC2\xB9.dat", "COM\xC2\xB9"},
      {"LPT\xC2\xB3", "LPT\xC2\xB3"},
      // Several extensions, an empty one, blanks before the dot, a stream.
      {"nul.tar.gz", "nul"},
      {"COM1.", "COM1"},
      {"COM1 .dat", "COM1"},
      {"AUX  ", "AUX"},
      {"COM1:", "COM1"},
      // In a folder, with either separator, after a drive.
      {"C:\\sites\\tokyo\\COM3.dat", "COM3"},
      {"/home/op/site/nul.dat", "nul"},
      {"site/COM7.dat", "COM7"},
      {"C:PRN.dat", "PRN"},
      {"\\\\server\\share\\LPT2.dat", "LPT2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_TRUE(IsDeviceName(row.path));
    EXPECT_EQ(DeviceNameIn(row.path), row.device);
  }
}

TEST(DeviceNames, FilesThatOnlyLookLikeDevices) {
  const char* const files[] = {
      "COM10.dat",                     // two digits: an ordinary name
      "COM0.dat",                      // no port 0
      "LPT0",                          //
      "COM.dat",                       // no number
      "COMA.dat",                      // a letter for the number
      "COM1x.dat",                     //
      "CONSOLE.dat",                   // a device name inside a longer word
      "my-nul.dat",                    //
      "nul-site.dat",                  //
      " NUL.dat",                      // a blank before the name
      "COM\xC2\xB4.dat",               // an acute accent, not a superscript digit
      "COM\xC2\xB9x.dat",              //
      "COM1.dat\\site.dat",            // the device is a folder's name, not the file's
      "NUL/site.dat",                  //
      "site.COM1",                     // the device is the extension
      ".nul",                          // a hidden file
      "",                              //
      "C:",                            //
      "\xE8\xA8\xAD\xE5\xAE\x9A.dat",  // 設定.dat
  };
  for (const char* path : files) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(IsDeviceName(path));
    EXPECT_EQ(DeviceNameIn(path), "");
  }
}

TEST(DeviceNames, WordsNameTheDeviceAsSpelled) {
  EXPECT_EQ(DeviceNameWords("D:\\x\\com2.dat"),
            "com2 is the name of a device on Windows (as are CON, PRN, AUX, NUL, COM1 to COM9 "
            "and LPT1 to LPT9, with any extension): choose another file name");
}

}  // namespace
}  // namespace korvex7

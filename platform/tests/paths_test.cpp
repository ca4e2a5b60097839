#include "platform/paths.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/testenv.h"

namespace wt {
namespace {

TEST(HostPath, DrivePathsMapUnderTheDrivesFolderAndOtherPathsLoseTheirBackslashes) {
  const ScopedEnvironment drives("WINTARVO_DRIVES", "/tmp/drives/");
  const ScopedEnvironment home("HOME", "/home/ana");
  const std::pair<const char*, const char*> kCases[] = {
      {"C:\\zorb\\tarvo.mol", "/tmp/drives/drive_c/zorb/tarvo.mol"},
      {"d:/plots\\run7.hgl", "/tmp/drives/drive_d/plots/run7.hgl"},
      {"c:zorb", "/tmp/drives/drive_c/zorb"},
      {"c:", "/tmp/drives/drive_c"},
      {"data\\benz.cor", "data/benz.cor"},
      {"1:\\x", "1:/x"},
      {"", ""}};
  for (const auto& [system, host] : kCases) EXPECT_EQ(HostPath(system), host) << system;

  // The default drives folder is under the home folder; without either a
  // drive path maps nowhere.
  drives.Set("");
  EXPECT_EQ(HostPath("c:\\zorb\\temp64"), "/home/ana/.wintarvo/drive_c/zorb/temp64");
  drives.Set(std::nullopt);
  EXPECT_EQ(DrivesFolder(), "/home/ana/.wintarvo");
  home.Set(std::nullopt);
  EXPECT_EQ(HostPath("c:\\zorb\\temp64"), std::nullopt);
  EXPECT_EQ(HostPath("/home/ana/benz.cor"), "/home/ana/benz.cor");
  EXPECT_TRUE(EndsFolder('/') && EndsFolder('\\'));
}

}  // namespace
}  // namespace wt

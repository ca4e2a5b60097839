#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/testenv.h"

namespace wt {
namespace {

class PathsTest : public ::testing::Test {
 protected:
  const ScopedEnvironment drives_{"WINTARVO_DRIVES"};
  const ScopedEnvironment home_{"HOME"};
};

TEST_F(PathsTest, DriveLettersInEitherCaseMapUnderTheDrivesFolder) {
  drives_.Set("/tmp/drives");
  EXPECT_EQ(HostPath("c:\\zorb\\wtarvo.ini"), "/tmp/drives/drive_c/zorb/wtarvo.ini");
  EXPECT_EQ(HostPath("C:\\zorb\\tarvo.mol"), "/tmp/drives/drive_c/zorb/tarvo.mol");
  EXPECT_EQ(HostPath("d:\\plots\\run7.hgl"), "/tmp/drives/drive_d/plots/run7.hgl");
  EXPECT_EQ(HostPath("C:/zorb/x"), "/tmp/drives/drive_c/zorb/x");
  EXPECT_EQ(HostPath("c:zorb"), "/tmp/drives/drive_c/zorb");
  EXPECT_EQ(HostPath("c:"), "/tmp/drives/drive_c");
}

TEST_F(PathsTest, TrailingSlashOfTheDrivesFolderIsNotDoubled) {
  drives_.Set("/tmp/drives/");
  EXPECT_EQ(HostPath("c:\\zorb"), "/tmp/drives/drive_c/zorb");
}

TEST_F(PathsTest, DefaultDrivesFolderIsUnderHome) {
  drives_.Set(std::nullopt);
  home_.Set("/home/ana");
  EXPECT_EQ(DrivesFolder(), "/home/ana/.wintarvo");
  EXPECT_EQ(HostPath("c:\\zorb\\temp64"), "/home/ana/.wintarvo/drive_c/zorb/temp64");
  drives_.Set("");
  EXPECT_EQ(HostPath("c:\\zorb\\temp64"), "/home/ana/.wintarvo/drive_c/zorb/temp64");
}

TEST_F(PathsTest, DrivePathMapsNowhereWithoutHomeOrDrives) {
  drives_.Set(std::nullopt);
  home_.Set(std::nullopt);
  EXPECT_EQ(HostPath("c:\\zorb\\temp64"), std::nullopt);
  EXPECT_EQ(HostPath("/home/ana/benz.cor"), "/home/ana/benz.cor");
}

TEST_F(PathsTest, HostPathsAreUntouchedButForBackslashes) {
  drives_.Set("/tmp/drives");
  EXPECT_EQ(HostPath("/home/ana/benz.cor"), "/home/ana/benz.cor");
  EXPECT_EQ(HostPath("run7.hgl"), "run7.hgl");
  EXPECT_EQ(HostPath("data\\benz.cor"), "data/benz.cor");
  EXPECT_EQ(HostPath(""), "");
  EXPECT_EQ(HostPath("1:\\x"), "1:/x");  // no drive letter
  EXPECT_EQ(HostPath("/home/ana/my data/\xc3\xa9t\xc3\xa9.in"), "/home/ana/my data/\xc3\xa9t\xc3\xa9.in");
}

TEST(EndsFolder, BothSeparatorsOnLinux) {
  EXPECT_TRUE(EndsFolder('\\'));
  EXPECT_TRUE(EndsFolder('/'));
  EXPECT_FALSE(EndsFolder(':'));
}

}  // namespace
}  // namespace wt

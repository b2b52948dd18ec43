// Who may read and write a file must not change because the program wrote it, and the
// writer must not be tricked into writing where the user did not mean to.
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "output/safe_file_writer.hpp"
#include "output/writer_test_support.hpp"

namespace korvelant {
namespace {

namespace fs = std::filesystem;

using WriterPermissions = WriterTest;

constexpr const char* kAccessAcl = "system.posix_acl_access";
constexpr const char* kDefaultAcl = "system.posix_acl_default";

// The kernel's form of an access control list: a version, then (tag, permissions, id).
struct AclEntry {
  uint16_t tag;
  uint16_t permissions;
  uint32_t id;
};
enum : uint16_t { kUserObj = 1, kUser = 2, kGroupObj = 4, kMask = 0x10, kOther = 0x20 };
constexpr uint32_t kNoId = 0xFFFFFFFF;

std::string AclAttribute(std::initializer_list<AclEntry> entries) {
  std::string bytes;
  const auto little = [&](uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
      bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  little(2, 4);
  for (const AclEntry& entry : entries) {
    little(entry.tag, 2);
    little(entry.permissions, 2);
    little(entry.id, 4);
  }
  return bytes;
}

// The attribute's value, or "<none>" when the file does not have it.
std::string Attribute(const std::string& path, const char* name) {
  char buffer[1024];
  const ssize_t size = ::getxattr(path.c_str(), name, buffer, sizeof buffer);
  return size < 0 ? "<none>" : std::string(buffer, static_cast<size_t>(size));
}

bool SetAttribute(const std::string& path, const char* name, const std::string& value) {
  return ::setxattr(path.c_str(), name, value.data(), value.size(), 0) == 0;
}

struct stat Status(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

TEST_F(WriterPermissions, AReplacedFileKeepsOwnerGroupModeAclAndAttributes) {
  const std::string path = PathOf("shared.txt");
  Put(path, "old");
  // nobody may read and write through a named entry, capped to reading by the mask.
  const std::string acl = AclAttribute({{kUserObj, 6, kNoId},
                                        {kUser, 6, kNobody},
                                        {kGroupObj, 4, kNoId},
                                        {kMask, 4, kNoId},
                                        {kOther, 0, kNoId}});
  if (!SetAttribute(path, kAccessAcl, acl)) GTEST_SKIP() << "no ACLs on this file system";
  ASSERT_TRUE(SetAttribute(path, "user.korvelant.origin", "lab notebook 7"));
  if (RunningAsRoot()) {
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  }
  const struct stat before = Status(path);
  const std::string aclBefore = Attribute(path, kAccessAcl);

  EXPECT_EQ(Outcome(path, "new"), "OK");
  const struct stat after = Status(path);
  EXPECT_EQ(Read(path), "new");
  EXPECT_NE(after.st_ino, before.st_ino) << "replaced whole, not rewritten in place";
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(Attribute(path, kAccessAcl), aclBefore);
  EXPECT_EQ(Attribute(path, "user.korvelant.origin"), "lab notebook 7");
  EXPECT_EQ(Entries(), std::vector<std::string>{"shared.txt"});
}

TEST_F(WriterPermissions, AFolderDefaultAclReachesNewFilesButNeverWidensAReplacedOne) {
  const std::string team = PathOf("team");
  fs::create_directory(team);
  const std::string inherited = AclAttribute({{kUserObj, 7, kNoId},
                                              {kUser, 6, kNobody},
                                              {kGroupObj, 5, kNoId},
                                              {kMask, 7, kNoId},
                                              {kOther, 5, kNoId}});
  if (!SetAttribute(team, kDefaultAcl, inherited)) GTEST_SKIP() << "no ACLs on this file system";

  const std::string mine = team + "/private.txt";
  Put(mine, "old");
  ASSERT_EQ(::removexattr(mine.c_str(), kAccessAcl), 0);
  ASSERT_EQ(::chmod(mine.c_str(), 0600), 0);
  EXPECT_EQ(Outcome(mine, "secret"), "OK");
  EXPECT_EQ(Attribute(mine, kAccessAcl), "<none>");
  EXPECT_EQ(Status(mine).st_mode & 07777, 0600u);

  const std::string fresh = team + "/fresh.txt";
  EXPECT_EQ(Outcome(fresh, "new"), "OK");
  EXPECT_NE(Attribute(fresh, kAccessAcl), "<none>") << "a new file inherits like any other";
  EXPECT_EQ(Entries(team), (std::vector<std::string>{"fresh.txt", "private.txt"}));
}

// As root the writing happens as nobody, for whom the permissions hold.
TEST_F(WriterPermissions, WritesInPlaceWhereNoNewFileMayBeCreatedAndRefusesReadOnlyFiles) {
  const std::string closed = PathOf("closed");
  fs::create_directory(closed);
  const std::string writable = closed + "/data.txt";
  const std::string readOnly = closed + "/fixed.txt";
  Put(writable, std::string(300, 'o'));
  Put(readOnly, "fixed");
  ::chmod(readOnly.c_str(), 0444);
  if (RunningAsRoot()) {
    ASSERT_EQ(::chown(writable.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(readOnly.c_str(), kNobody, kNobody), 0);
  } else {
    ASSERT_EQ(::chmod(closed.c_str(), 0555), 0);
  }
  const ino_t inode = InodeOf(writable);

  const std::string fresh = closed + "/fresh.txt";
  EXPECT_EQ(RunInChild(
                [&] {
                  return Outcome(writable, "new") + "\n" + Outcome(fresh, "x") + "\n" +
                         Outcome(readOnly, "x");
                },
                true),
            "OK\nCannot write \"" + fresh + "\": no permission to create a file in its folder\n" +
                "Cannot write \"" + readOnly + "\": Permission denied");
  EXPECT_EQ(Read(writable), "new");
  EXPECT_EQ(InodeOf(writable), inode);
  EXPECT_EQ(Read(readOnly), "fixed");
  EXPECT_EQ(Entries(closed), (std::vector<std::string>{"data.txt", "fixed.txt"}));
}

// When a new file could not be given what the old one has, the old one is written in place.
TEST_F(WriterPermissions, KeepsWhatANewFileCouldNotBeGivenByWritingInPlace) {
  const std::string open = PathOf("open");
  fs::create_directory(open);
  fs::permissions(open, static_cast<fs::perms>(0777));

  // Attributes of a file we may write but not read cannot be copied.
  const std::string writeOnly = open + "/drop-box";
  Put(writeOnly, "old");
  if (!SetAttribute(writeOnly, "user.korvelant.origin", "kept")) {
    GTEST_SKIP() << "no extended attributes on this file system";
  }
  ::chmod(writeOnly.c_str(), 0220);
  // A group we are not in cannot be given to a new file.
  const std::string foreignGroup = open + "/group-file";
  Put(foreignGroup, "old");
  ::chmod(foreignGroup.c_str(), 0664);
  if (RunningAsRoot()) {
    ASSERT_EQ(::chown(writeOnly.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(foreignGroup.c_str(), kNobody, 0), 0);
  }
  const ino_t writeOnlyInode = InodeOf(writeOnly);
  const ino_t foreignGroupInode = InodeOf(foreignGroup);

  EXPECT_EQ(
      RunInChild([&] { return Outcome(writeOnly, "new") + " " + Outcome(foreignGroup, "new"); },
                 true),
      "OK OK");
  EXPECT_EQ(InodeOf(writeOnly), writeOnlyInode);
  ::chmod(writeOnly.c_str(), 0660);  // for the checks below
  EXPECT_EQ(Attribute(writeOnly, "user.korvelant.origin"), "kept");
  EXPECT_EQ(Read(writeOnly), "new");
  EXPECT_EQ(Read(foreignGroup), "new");
  if (RunningAsRoot()) {
    EXPECT_EQ(InodeOf(foreignGroup), foreignGroupInode);
    EXPECT_EQ(Status(foreignGroup).st_gid, 0u);
    EXPECT_EQ(Status(foreignGroup).st_mode & 07777, 0664u);
  }
  EXPECT_EQ(Entries(open), (std::vector<std::string>{"drop-box", "group-file"}));
}

TEST_F(WriterPermissions, RefusesALinkPlantedByAnotherUserInASharedStickyFolder) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs a second user to own the link (run as root)";
  const std::string shared = PathOf("shared");
  fs::create_directory(shared);
  fs::permissions(shared, static_cast<fs::perms>(01777));
  const std::string victim = PathOf("victim");
  Put(victim, "precious");
  ::chmod(victim.c_str(), 0666);
  const std::string link = shared + "/report.txt";
  fs::create_symlink(victim, link);
  ASSERT_EQ(::lchown(link.c_str(), kNobody, kNobody), 0);

  EXPECT_EQ(Outcome(link, "overwritten"),
            "Cannot write \"" + link +
                "\": it is a symbolic link owned by another user in a shared sticky folder, "
                "which is not followed for safety");
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(link));

  // Its owner may follow it, and so may anyone once the folder's owner made it.
  EXPECT_EQ(RunInChild([&] { return Outcome(link, "by its owner"); }, true), "OK");
  EXPECT_EQ(Read(victim), "by its owner");
  ASSERT_EQ(::lchown(link.c_str(), 0, 0), 0);
  EXPECT_EQ(Outcome(link, "by the folder owner"), "OK");
  EXPECT_EQ(Read(victim), "by the folder owner");
  EXPECT_EQ(Entries(shared), std::vector<std::string>{"report.txt"});
}

}  // namespace
}  // namespace korvelant

// Writing the engine library beside the program.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>

#include "app/program_folder.h"
#include "app/skin/skin_engine_image.h"
#include "app/skin/skin_install.h"
#include "tests/skin/skin_test_support.h"

namespace kelvora {
namespace {

namespace fs = std::filesystem;
using skin_test::read_file;
using skin_test::TempFolder;

TEST(EnsureSkinEngine, WritesTheBuiltEngineIntoAnEmptyFolder) {
  TempFolder folder;
  set_program_folder(folder.path());
  ensure_skin_engine();
  const std::string written = read_file(folder.path() / "SkinH_EL.dll");
  const std::string built = read_file(KELVORA_SKIN_ENGINE_FILE);
  ASSERT_FALSE(built.empty());
  EXPECT_EQ(written.size(), built.size());
  EXPECT_TRUE(written == built) << "the written engine differs from the built one";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(kSkinEngineImage), kSkinEngineImageSize),
            built);
}

TEST(EnsureSkinEngine, AnExistingFileIsLeftUntouched) {
  TempFolder folder;
  set_program_folder(folder.path());
  const fs::path engine = folder.path() / "SkinH_EL.dll";
  { std::ofstream(engine, std::ios::binary) << "someone else's library"; }
  fs::permissions(engine, fs::perms::owner_read);
  const auto old_time = fs::last_write_time(engine) - std::chrono::hours(24 * 30);
  fs::last_write_time(engine, old_time);

  ensure_skin_engine();

  EXPECT_EQ(read_file(engine), "someone else's library");
  EXPECT_EQ(fs::last_write_time(engine), old_time);
  EXPECT_EQ(fs::status(engine).permissions(), fs::perms::owner_read);
}

TEST(EnsureSkinEngine, AFolderOrADanglingLinkCountsAsPresent) {
  TempFolder folder;
  set_program_folder(folder.path());
  const fs::path engine = folder.path() / "SkinH_EL.dll";

  fs::create_directory(engine);
  ensure_skin_engine();
  EXPECT_TRUE(fs::is_directory(engine));
  EXPECT_TRUE(fs::is_empty(engine));
  fs::remove(engine);

  // Writing through the link would create its target.
  fs::create_symlink(folder.path() / "elsewhere.dll", engine);
  ensure_skin_engine();
  EXPECT_TRUE(fs::is_symlink(engine));
  EXPECT_FALSE(fs::exists(folder.path() / "elsewhere.dll"));
}

TEST(EnsureSkinEngine, AFolderThatCannotBeWrittenIsSilentlySkipped) {
  TempFolder folder;
  set_program_folder(folder.path() / "missing");
  ensure_skin_engine();
  EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

// A file-size limit below the engine's size makes the write stop part-way,
// as a full disk would.
TEST(EnsureSkinEngine, AWriteThatFailsPartWayLeavesNoFile) {
  TempFolder folder;
  set_program_folder(folder.path());
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  rlimit small_limit = old_limit;
  small_limit.rlim_cur = 4096;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small_limit), 0);

  ensure_skin_engine();

  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(fs::exists(fs::symlink_status(folder.path() / "SkinH_EL.dll")));
  ensure_skin_engine();  // the next start writes the whole engine
  EXPECT_EQ(fs::file_size(folder.path() / "SkinH_EL.dll"), kSkinEngineImageSize);
}

}  // namespace
}  // namespace kelvora

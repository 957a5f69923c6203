#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace testing_support {

using Names = std::vector<base::WString>;

// Layouts opened through the file manager inside a data root of their own,
// with the log recorded.
class LayoutFixture : public ::testing::Test {
 protected:
  void SetUp() override { base::MainLog::Instance()->AddOutput(new RecordingLogOutput(log_)); }
  void TearDown() override { SingletonRegistry::Shutdown(); }

  std::unique_ptr<file::ImageContainer> OpenLayout(const base::WString& path) {
    return std::unique_ptr<file::ImageContainer>(file::FileManager::Instance()->OpenImageContainer(path));
  }

  static Names ImageNames(file::ImageContainer& layout, const base::WString& folder, bool recursive, bool relative) {
    Names names;
    EXPECT_EQ(layout.ListImages(folder, recursive, names, relative), QL_OK);
    return names;
  }

  static Names FolderNames(file::ImageContainer& layout, const base::WString& folder) {
    Names names;
    EXPECT_EQ(layout.ListFolders(folder, names, false), QL_OK);
    return names;
  }

  DataRoot root_;
  std::vector<base::WString> log_;
};

}  // namespace testing_support

// A registry over a file in a fresh temporary folder, which a test can reopen
// as a later run of the handheld would.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace platform::testing {

inline std::filesystem::path MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orsa-registry-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder";
  return pattern;
}

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() : folder_(MakeTemporaryFolder()) { Restart(); }

  ~RegistryTest() override {
    registry_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  std::filesystem::path file() const { return folder_ / "registry.txt"; }
  Registry& registry() { return *registry_; }

  // Replaces the registry by a new one over the same file: the next run.
  Registry& Restart() {
    registry_.reset();
    registry_ = std::make_unique<Registry>(file());
    return *registry_;
  }

  std::string FileText() const {
    std::ifstream in(file(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  void WriteFileText(std::string_view text) {
    std::ofstream(file(), std::ios::binary | std::ios::trunc) << text;
  }

  // Creates (or opens) a key and returns its handle; the test closes it.
  HKEY Create(HKEY parent, std::string_view path) {
    HKEY key;
    EXPECT_EQ(registry().CreateKey(parent, path, &key), ERROR_SUCCESS) << path;
    return key;
  }

  std::filesystem::path folder_;
  std::unique_ptr<Registry> registry_;
};

}  // namespace platform::testing

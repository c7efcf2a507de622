#pragma once
// Form1 of edition 8 on the headless toolkit, listing a folder of its own
// with the models a.atl (2 triangles) and b.atl (3).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

class Form1Test : public testing::Test {
 protected:
  Form1Test() {
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    dir_ = testing::TempDir() + "app_" + test.test_suite_name() + "_" + test.name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    write("a.atl", 2);
    write("b.atl", 3);
    form_ = std::make_unique<app::Form1>(editions::edition8(), toolkit_, dir_);
  }

  void write(const std::string& name, int triangles) {
    std::ofstream out(dir_ + "/" + name, std::ios::binary);
    for (int i = 0; i < triangles * 9; ++i) out << i << "\r\n";
  }
  int index_of(const std::string& name) const {
    const auto& items = form_->File1.items();
    return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
  }
  // Ends the program during the last yield of frame `frames`.
  void end_after(long frames) {
    toolkit_.at_frame_end = [this, frames](long frame) {
      if (frame == frames) form_->form.user_close();
    };
  }

  std::string dir_;
  toolkit::HeadlessToolkit toolkit_;
  std::unique_ptr<app::Form1> form_;
};

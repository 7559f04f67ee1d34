// Shared set-up of the widget-layer tests: a clean responder per test.
#pragma once

#include <gtest/gtest.h>

#include "platform/ui/testing.h"
#include "platform/ui/ui.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
    ui::App().SetTitle("テスト");
  }
  void TearDown() override {
    EXPECT_EQ(ui::testing::PendingAnswers(), 0) << "answers left unused";
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
  }
};

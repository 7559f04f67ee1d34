#include "editor/tobrinedit9.h"

#include "editor/tobrinedit6.h"

namespace tobrinedit {

TForm9* Form9 = nullptr;

namespace {

// The group carries no caption of its own on this form.
const MessageEditorLook kSetupItemMessage = {
    .formName = "Form9",
    .designCaption = "簡易セットアップのメッセージ",
    .captionStart = "簡易セットアップ(",
    .captionEnd = "番目）",
    .hint = nullptr,
    .tipCaption = "ツールチップヒントで表示",
    .colourCaption = "文字色",
    .clientWidth = 253,
    .clientHeight = 274,
    .firstLeft = 291,
    .firstTop = 104,
    .labelLeft = 16,
    .labelTop = 16,
    .editLeft = 64,
    .editTop = 8,
    .editWidth = 161,
    .checkLeft = 16,
    .checkTop = 104,
    .checkWidth = 153,
    .groupLeft = 16,
    .groupTop = 136,
    .groupWidth = 177,
    .groupHeight = 89,
    .okLeft = 16,
    .cancelLeft = 144,
    .buttonsTop = 240,
};

}  // namespace

// The setup dialog names the item (page and row) just before it shows
// this editor.
TForm9::TForm9() : TMessageEditor(kSetupItemMessage) {
  Bind({.page = [] { return Form6->SetupPage; },
        .row = [] { return Form6->SetupRow; },
        .rowsPerPage = settings::kSetupItems,
        .lines = {SetupMessageLines1, SetupMessageLines2},
        .tips = {SetupMessageTip1, SetupMessageTip2},
        .colours = {SetupMessageColor1, SetupMessageColor2}});
}

}  // namespace tobrinedit

#include "editor/tobrinedit3.h"

#include "editor/tobrinedit2.h"

namespace tobrinedit {

TForm3* Form3 = nullptr;

namespace {

const MessageEditorLook kMenuButtonMessage = {
    .formName = "Form3",
    .designCaption = "メッセージの編集",
    .captionStart = "メッセージの編集(",
    .captionEnd = "番目の編集)",
    .hint = "３行まで入力できます。",
    .tipCaption = "ツールチップで表示",
    .colourCaption = "文字色",
    .clientWidth = 246,
    .clientHeight = 275,
    .firstLeft = 724,
    .firstTop = 89,
    .labelLeft = 8,
    .labelTop = 32,
    .editLeft = 48,
    .editTop = 32,
    .editWidth = 169,
    .checkLeft = 8,
    .checkTop = 128,
    .checkWidth = 121,
    .groupLeft = 16,
    .groupTop = 152,
    .groupWidth = 225,
    .groupHeight = 89,
    .okLeft = 24,
    .cancelLeft = 160,
    .buttonsTop = 248,
};

}  // namespace

// The page editor names the button (page and row) just before it shows
// this editor.
TForm3::TForm3() : TMessageEditor(kMenuButtonMessage) {
  Bind({.page = [] { return Form2->CurrentMenuPage; },
        .row = [] { return Form2->CurrentMenuButton; },
        .rowsPerPage = settings::kMenuButtons,
        .lines = {MessageLines1, MessageLines2},
        .tips = {MessageTip1, MessageTip2},
        .colours = {MessageColor1, MessageColor2}});
}

}  // namespace tobrinedit

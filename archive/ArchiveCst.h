// Message texts of the archive components. Column titles are used by the
// list view; the rest are the messages of the component exceptions.
#pragma once

namespace archive {

inline constexpr char SNoTestFunction[] = "書庫ファイルの正当性確認機能はありません。";
inline constexpr char SNoCompressFunction[] = "書庫作成機能はありません。";
inline constexpr char SNoDeleteFunction[] = "格納ファイルの削除機能はありません。";
inline constexpr char SNoSfxFunction[] = "自己解凍書庫作成機能はありません。";
inline constexpr char SNoListFunction[] = "格納ファイルの一覧出力機能はありません。";

inline constexpr char SColumnName[] = "名前";
inline constexpr char SColumnDate[] = "日付";
inline constexpr char SColumnOriginalSize[] = "元のサイズ";
inline constexpr char SColumnRatio[] = "圧縮率";
inline constexpr char SColumnCompressedSize[] = "圧縮後のサイズ";
inline constexpr char SColumnFolder[] = "フォルダ";
inline constexpr char SColumnTypeName[] = "ファイルの種類";
inline constexpr char SColumnAttributes[] = "属性";
inline constexpr const char* ColumnTitles[] = {
    SColumnName,           SColumnDate,   SColumnOriginalSize, SColumnRatio,
    SColumnCompressedSize, SColumnFolder, SColumnTypeName,     SColumnAttributes};

inline constexpr char SInvalidOwner[] = "Owner パラメータが不正です";
inline constexpr char SInvalidParameter[] = "パラメータが不正です。";
inline constexpr char SDllNotLoaded[] = "アーカイバDLLがロードできませんでした。";
inline constexpr char SDllTooOld[] = "最新バージョンのアーカイバDLLが必要です。";

// Range checks of the option setters.
inline constexpr char SQuantumNotAvailable[] = "ctQuantum は 現在指定できません。";
inline constexpr char SCabLevelRange[] = "CompressLevel は 15 から 21の間の値を設定してください。";
inline constexpr char SLevelAtLeastOne[] = "圧縮レベルは 1 以上を指定してください。";
inline constexpr char SLevelAtMostNine[] = "圧縮レベルは 9 以下を指定してください。";
inline constexpr char SBgaLevelRange[] = "CompressLevel は 1 から 9 の間の値を設定してください。";

// A line break inside a member name would split it in the response file.
inline constexpr char SLineBreakInName[] = "ファイル名に改行文字を含めることはできません。";
// A path or name that the code page (CP932) cannot hold goes to no library:
// "?" would name another file or folder (%s: the path or name).
inline constexpr char SNotInCodePage[] =
    "「%s」にはシフトJISで表せない文字が含まれているため、書庫の処理に使えません";
// The response file could not be created (%s: its path).
inline constexpr char SCreateFileError[] = "ファイル %s を作成できません";

}  // namespace archive

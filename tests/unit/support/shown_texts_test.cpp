// Every text the program shows and every name it gives a file or a setting, written out here
// once, by hand, so that a slip in the one place the program keeps it fails a test: elsewhere the
// tests compare against the program's own constants.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/modConst.h"

namespace {

struct ShownText {
    const char* name;
    std::string_view constant;
    std::string_view text;
};

class ShownTextTest : public testing::TestWithParam<ShownText> {};

TEST_P(ShownTextTest, IsWrittenAsDesigned) { EXPECT_EQ(GetParam().constant, GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Rows, ShownTextTest,
    testing::Values(
        ShownText{"AppTitle", modConst::kAppTitle, "Quillmere"},
        ShownText{"IniExtension", modConst::kIniExtension, ".ini"},
        ShownText{"IniSection", modConst::kIniSection, "ExePath"},
        ShownText{"KeyKifFWin", modConst::kKeyKifFWin, "KifFWin"},
        ShownText{"KeyKShogi", modConst::kKeyKShogi, "KShogi"},
        ShownText{"KeyUWSC", modConst::kKeyUWSC, "UWSC"},
        ShownText{"KeyTerapad", modConst::kKeyTerapad, "Terapad"},
        ShownText{"ScriptSaveKif", modConst::kScriptSaveKif, "uwsSaveKif.uws"},
        ShownText{"ScriptOpenStart", modConst::kScriptOpenStart, "uwsOpenStart.uws"},
        ShownText{"ScriptEditTxt", modConst::kScriptEditTxt, "uwsEditTxt.uws"},
        ShownText{"TemplateFile", modConst::kTemplateFile, "Template.txt"},
        ShownText{"StartSound", modConst::kStartSound, "start.wav"},
        ShownText{"BookFolderName", modConst::kBookFolderName, "book"},
        ShownText{"ProblemExtensions", modConst::kProblemExtensions, "kif;bod"},
        ShownText{"CompanionSuffix", modConst::kCompanionSuffix, ".txt"},
        ShownText{"ImageExtension", modConst::kImageExtension, "jpg"},
        ShownText{"SpaceCode", modConst::kSpaceCode, "<spc>"},
        ShownText{"MsgNoPeriod", modConst::kMsgNoPeriod, "ファイル名にピリオドが見つかりません"},
        ShownText{"MsgEditorNotFound", modConst::kMsgEditorNotFound,
                  "次のエディタが見つかりません"},
        ShownText{"MsgNotFoundSuffix", modConst::kMsgNotFoundSuffix, "が見つかりません"},
        ShownText{"MsgPageNotThreeChars", modConst::kMsgPageNotThreeChars,
                  "ページ番号は３桁固定で指定してください"},
        ShownText{"MsgPageNotDigits", modConst::kMsgPageNotDigits,
                  "ページ番号は３桁の半角数字で指定してください"},
        ShownText{"MsgProblemFileNotFound", modConst::kMsgProblemFileNotFound,
                  "次のファイルが見つかりません。"},
        ShownText{"MsgKifuWPathNotSet", modConst::kMsgKifuWPathNotSet,
                  "KifuW.exe へのパスが設定画面で正しく設定されていません。"},
        ShownText{"MsgKShogiPathNotSet", modConst::kMsgKShogiPathNotSet,
                  "K-Shogiへのパスが設定画面で正しく設定されていません。"},
        ShownText{"MsgFileDoesNotExist", modConst::kMsgFileDoesNotExist,
                  "次のファイルは存在しません"},
        ShownText{"MsgDropAFile", modConst::kMsgDropAFile, "ファイルをD&Dしてください。"},
        ShownText{"StateCompanionPresent", modConst::kStateCompanionPresent, "あり"},
        ShownText{"StateCompanionAbsent", modConst::kStateCompanionAbsent, "なし"},
        ShownText{"MsgCannotStart", modConst::kMsgCannotStart,
                  "次のコマンドを起動できませんでした。"},
        ShownText{"MsgSettingsNotSaved", modConst::kMsgSettingsNotSaved,
                  "次の設定ファイルに保存できませんでした。"},
        ShownText{"MsgNoProblemSelected", modConst::kMsgNoProblemSelected,
                  "問題ファイルが選択されていません。"},
        ShownText{"MsgTemplateNotCopied", modConst::kMsgTemplateNotCopied,
                  "次のテンプレートをコピーできませんでした。"},
        ShownText{"MsgCompanionNotMade", modConst::kMsgCompanionNotMade,
                  "次のファイルを作成できませんでした。"},
        ShownText{"MsgCannotOpen", modConst::kMsgCannotOpen, "次のファイルを開けませんでした。"},
        ShownText{"MsgNoBookSelected", modConst::kMsgNoBookSelected,
                  "書籍フォルダが選択されていません。"},
        ShownText{"MsgTerapadPathNotSet", modConst::kMsgTerapadPathNotSet,
                  "TeraPad.exe へのパスが設定画面で正しく設定されていません。"},
        ShownText{"MsgCompanionKept", modConst::kMsgCompanionKept,
                  "次のファイルは読み込めないため、そのままにしました。"},
        ShownText{"MsgCannotHandOver", modConst::kMsgCannotHandOver,
                  "次のパスはスクリプトに正しく渡せないため、実行しませんでした。"},
        ShownText{"ResultsTitleSuffix", modConst::kResultsTitleSuffix, " - 成績"},
        ShownText{"ResultsRecord", modConst::kResultsRecord, "棋譜"},
        ShownText{"ResultsAttempts", modConst::kResultsAttempts, "回数"},
        ShownText{"ResultsLastOutcome", modConst::kResultsLastOutcome, "最後の結果"},
        ShownText{"ResultsLastTime", modConst::kResultsLastTime, "最後の時間"},
        ShownText{"ResultsBestTime", modConst::kResultsBestTime, "最速"},
        ShownText{"ResultsUntried", modConst::kResultsUntried, "未挑戦"},
        ShownText{"ResultsNone", modConst::kResultsNone, "―"},
        ShownText{"ResultsCycle", modConst::kResultsCycle, "周回"},
        ShownText{"ResultsCycleStarted", modConst::kResultsCycleStarted, "開始"},
        ShownText{"ResultsTotalTime", modConst::kResultsTotalTime, "合計時間"},
        ShownText{"ResultsCyclePrefix", modConst::kResultsCyclePrefix, "第"},
        ShownText{"ResultsCycleSuffix", modConst::kResultsCycleSuffix, "周"},
        ShownText{"ResultsCurrent", modConst::kResultsCurrent, "（今）"},
        ShownText{"ResultsTotalsOf", modConst::kResultsTotalsOf, "の合計"},
        ShownText{"ResultsSuccessRate", modConst::kResultsSuccessRate, "正解率 "},
        ShownText{"ResultsTotal", modConst::kResultsTotal, "合計 "},
        ShownText{"ResultsAverage", modConst::kResultsAverage, "平均 "},
        ShownText{"ResultsNewCycle", modConst::kResultsNewCycle, "新しい周回"},
        ShownText{"ResultsExportCsv", modConst::kResultsExportCsv, "CSV出力"},
        ShownText{"ResultsAllBooks", modConst::kResultsAllBooks, "全ての本"},
        ShownText{"ResultsCsvFilter", modConst::kResultsCsvFilter, "CSV (*.csv)"},
        ShownText{"ResultsAllBooksFile", modConst::kResultsAllBooksFile, "Quillmere-study.csv"},
        ShownText{"ResultsRecordsName", modConst::kResultsRecordsName, "棋譜ごとの成績"},
        ShownText{"ResultsCyclesName", modConst::kResultsCyclesName, "周回ごとの成績"},
        ShownText{"ResultsTotalsName", modConst::kResultsTotalsName, "今の周回の合計"},
        ShownText{"PreviewMissing", modConst::kPreviewMissing, "ファイルが見つかりません"},
        ShownText{"PreviewNotAFile", modConst::kPreviewNotAFile, "ファイルではありません"},
        ShownText{"PreviewUnreadable", modConst::kPreviewUnreadable, "ファイルを読めません"},
        ShownText{"PreviewEmpty", modConst::kPreviewEmpty, "空のファイルです"},
        ShownText{"PreviewTooLarge", modConst::kPreviewTooLarge, "棋譜にしては大きすぎます"},
        ShownText{"PreviewBinary", modConst::kPreviewBinary, "棋譜のファイルではありません"},
        ShownText{"PreviewNoPosition", modConst::kPreviewNoPosition, "局面が書かれていません"},
        ShownText{"PreviewDiagramCut", modConst::kPreviewDiagramCut, "盤面図が途中で切れています"},
        ShownText{"PreviewDiagramBroken", modConst::kPreviewDiagramBroken,
                  "盤面図の形が崩れています"},
        ShownText{"PreviewRankBrokenPrefix", modConst::kPreviewRankBrokenPrefix, "盤面図の"},
        ShownText{"PreviewRankBrokenSuffix", modConst::kPreviewRankBrokenSuffix,
                  "段目が読めません"},
        ShownText{"PreviewUnknownPiece", modConst::kPreviewUnknownPiece, "知らない駒があります："},
        ShownText{"PreviewBadHand", modConst::kPreviewBadHand, "持駒が読めません："},
        ShownText{"PreviewTooManyPieces", modConst::kPreviewTooManyPieces, "駒の数が多すぎます："},
        ShownText{"PreviewUnknownHandicap", modConst::kPreviewUnknownHandicap,
                  "手合割から盤面を作れません："},
        ShownText{"PreviewNoPage", modConst::kPreviewNoPage, "ページ画像はありません"},
        ShownText{"PreviewPageNotShown", modConst::kPreviewPageNotShown,
                  "ページ画像を表示できません"},
        ShownText{"PreviewSenteHand", modConst::kPreviewSenteHand, "☗持駒："},
        ShownText{"PreviewGoteHand", modConst::kPreviewGoteHand, "☖持駒："},
        ShownText{"PreviewNone", modConst::kPreviewNone, "なし"},
        ShownText{"PreviewToMove", modConst::kPreviewToMove, "（手番）"},
        ShownText{"PreviewTitle", modConst::kPreviewTitle, "表題："},
        ShownText{"PreviewAuthor", modConst::kPreviewAuthor, "作者："},
        ShownText{"PreviewMovesPrefix", modConst::kPreviewMovesPrefix, "手数："},
        ShownText{"PreviewMovesSuffix", modConst::kPreviewMovesSuffix, "手"}),
    [](const testing::TestParamInfo<ShownText>& info) { return std::string(info.param.name); });

}  // namespace

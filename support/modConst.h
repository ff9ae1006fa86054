#pragma once

#include <string_view>

#include "platform/system_paths.h"

// The program's constants: its title, its file names and the texts it shows.
namespace modConst {

inline constexpr std::string_view kAppTitle = "Quillmere";

inline constexpr std::string_view kSep = platform::kPathSeparator;
// A sound missing from the program folder is looked for in the system's folder of sounds.
inline constexpr std::string_view kSystemSoundFolder = platform::kSystemSoundFolder;

// Settings file: program folder, separator, title, ".ini".
inline constexpr std::string_view kIniExtension = ".ini";
inline constexpr std::string_view kIniSection = "ExePath";
inline constexpr std::string_view kKeyKifFWin = "KifFWin";
inline constexpr std::string_view kKeyKShogi = "KShogi";
inline constexpr std::string_view kKeyUWSC = "UWSC";
inline constexpr std::string_view kKeyTerapad = "Terapad";

// Files of the program folder.
inline constexpr std::string_view kScriptSaveKif = "uwsSaveKif.uws";
inline constexpr std::string_view kScriptOpenStart = "uwsOpenStart.uws";
inline constexpr std::string_view kScriptEditTxt = "uwsEditTxt.uws";
inline constexpr std::string_view kTemplateFile = "Template.txt";
inline constexpr std::string_view kStartSound = "start.wav";
// The study log, made when the first attempt is recorded; a damaged one is set aside as
// kStudyLogAsidePrefix + "YYYYMMDD-HHMMSS" + kStudyLogAsideExtension.
inline constexpr std::string_view kStudyLogFile = "Quillmere-study.sqlite";
inline constexpr std::string_view kStudyLogAsidePrefix = "Quillmere-study.damaged-";
inline constexpr std::string_view kStudyLogAsideExtension = ".sqlite";

// The book root is a folder of this name beside the program folder.
inline constexpr std::string_view kBookFolderName = "book";
inline constexpr std::string_view kProblemExtensions = "kif;bod";
inline constexpr std::string_view kCompanionSuffix = ".txt";
inline constexpr std::string_view kImageExtension = "jpg";
inline constexpr std::string_view kSpaceCode = "<spc>";

inline constexpr std::string_view kCrLf = "\r\n";

// Texts shown to the user.
inline constexpr std::string_view kMsgNoPeriod = "ファイル名にピリオドが見つかりません";
inline constexpr std::string_view kMsgEditorNotFound = "次のエディタが見つかりません";
inline constexpr std::string_view kMsgNotFoundSuffix = "が見つかりません";
inline constexpr std::string_view kMsgPageNotThreeChars = "ページ番号は３桁固定で指定してください";
inline constexpr std::string_view kMsgPageNotDigits =
    "ページ番号は３桁の半角数字で指定してください";
inline constexpr std::string_view kMsgProblemFileNotFound = "次のファイルが見つかりません。";
inline constexpr std::string_view kMsgKifuWPathNotSet =
    "KifuW.exe へのパスが設定画面で正しく設定されていません。";
inline constexpr std::string_view kMsgKShogiPathNotSet =
    "K-Shogiへのパスが設定画面で正しく設定されていません。";
inline constexpr std::string_view kMsgFileDoesNotExist = "次のファイルは存在しません";
inline constexpr std::string_view kMsgDropAFile = "ファイルをD&Dしてください。";
inline constexpr std::string_view kStateCompanionPresent = "あり";
inline constexpr std::string_view kStateCompanionAbsent = "なし";

// Texts of our own, for failures the program reports instead of passing over.
inline constexpr std::string_view kMsgCannotStart = "次のコマンドを起動できませんでした。";
inline constexpr std::string_view kMsgSettingsNotSaved = "次の設定ファイルに保存できませんでした。";
inline constexpr std::string_view kMsgNoProblemSelected = "問題ファイルが選択されていません。";
inline constexpr std::string_view kMsgTemplateNotCopied =
    "次のテンプレートをコピーできませんでした。";
inline constexpr std::string_view kMsgCompanionNotMade = "次のファイルを作成できませんでした。";
inline constexpr std::string_view kMsgCannotOpen = "次のファイルを開けませんでした。";
inline constexpr std::string_view kMsgNoBookSelected = "書籍フォルダが選択されていません。";
inline constexpr std::string_view kMsgTerapadPathNotSet =
    "TeraPad.exe へのパスが設定画面で正しく設定されていません。";
inline constexpr std::string_view kMsgCompanionKept =
    "次のファイルは読み込めないため、そのままにしました。";
inline constexpr std::string_view kMsgCannotHandOver =
    "次のパスはスクリプトに正しく渡せないため、実行しませんでした。";

// The study log: its faults (each followed by the file it is about), and the history line of a
// record, e.g. "2回　最後：解けた（3分12秒）　最速 2分40秒".
inline constexpr std::string_view kMsgStudyLogSetAside =
    "学習記録が壊れていたため、次の名前で残し、新しい学習記録を始めます。";
inline constexpr std::string_view kMsgStudyLogDamaged =
    "次の学習記録は壊れていて、別の名前で残せなかったため、今回は記録しません。";
inline constexpr std::string_view kMsgStudyLogNewer =
    "次の学習記録は新しい版の Quillmere で作られたため、この版では読み書きしません。";
inline constexpr std::string_view kMsgStudyLogNotWritten =
    "次の学習記録に書き込めないため、記録できませんでした。";
inline constexpr std::string_view kMsgStudyLogFull =
    "ディスクに空きがないため、次の学習記録に記録できませんでした。";
inline constexpr std::string_view kMsgStudyLogBusy =
    "次の学習記録はほかのプログラムが使用中のため、記録できませんでした。";
inline constexpr std::string_view kMsgStudyLogUnreadable = "次の学習記録を読めませんでした。";
inline constexpr std::string_view kMsgStudyLogBusyReading =
    "次の学習記録はほかのプログラムが使用中のため、記録の印を表示できませんでした。";
inline constexpr std::string_view kMsgCsvExists =
    "次のファイルはすでにあるため、書き出しませんでした。";
inline constexpr std::string_view kMsgCsvNotWritten = "次のファイルに書き出せませんでした。";
inline constexpr std::string_view kMsgCsvIsTheLog =
    "次のファイルは学習記録そのものなので、書き出しませんでした。";
inline constexpr std::string_view kMsgCsvNotAFile =
    "次の場所はふつうのファイルではないため、書き出しませんでした。";
inline constexpr std::string_view kOutcomeSolved = "解けた";
inline constexpr std::string_view kOutcomeFailed = "解けなかった";
inline constexpr std::string_view kOutcomeGaveUp = "やめた";
// The problem list's menu beyond the marks, and what it says when every record is solved.
inline constexpr std::string_view kMenuNextUnsolved = "次の未解決";
// The book list's menu, and the problem list's too.
inline constexpr std::string_view kMenuResults = "成績";
inline constexpr std::string_view kMsgAllSolved = "この書籍の棋譜はすべて解けています。";
// How to mark a record: the problem list's tooltip, and the preview of a record never tried.
inline constexpr std::string_view kHintMarking =
    "右クリック、または Ctrl+1〜3 で、棋譜に「解けた」「解けなかった」「やめた」を記録します";
inline constexpr std::string_view kHintNeverTried = "未挑戦（右クリック、または Ctrl+1〜3 で記録）";
inline constexpr std::string_view kHistoryTimesSuffix = "回";
inline constexpr std::string_view kHistoryGap = "　";
inline constexpr std::string_view kHistoryLast = "最後：";
inline constexpr std::string_view kHistoryBest = "最速 ";
// In a cycle after the first: "今回：1回 解けた（2分10秒）　全体：3回 最速 1分6秒".
inline constexpr std::string_view kHistoryThisCycle = "今回：";
inline constexpr std::string_view kHistoryAllCycles = "全体：";
inline constexpr std::string_view kHistoryTimeOpen = "（";
inline constexpr std::string_view kHistoryTimeClose = "）";
inline constexpr std::string_view kDurationHours = "時間";
inline constexpr std::string_view kDurationMinutes = "分";
inline constexpr std::string_view kDurationSeconds = "秒";

// The results window of a book: its title (the book's name, then this), the columns of its two
// tables, the totals of the current cycle, its buttons, and the names a screen reader gives them.
inline constexpr std::string_view kResultsTitleSuffix = " - 成績";
inline constexpr std::string_view kResultsRecord = "棋譜";
inline constexpr std::string_view kResultsAttempts = "回数";
inline constexpr std::string_view kResultsLastOutcome = "前回の結果";
inline constexpr std::string_view kResultsLastTime = "前回の時間";
inline constexpr std::string_view kResultsBestTime = "最速";
inline constexpr std::string_view kResultsUntried = "未挑戦";
inline constexpr std::string_view kResultsNone = "―";
inline constexpr std::string_view kResultsCycle = "周回";
inline constexpr std::string_view kResultsCycleStarted = "開始日時";
inline constexpr std::string_view kResultsTotalTime = "合計時間";
inline constexpr std::string_view kResultsCyclePrefix = "第";
inline constexpr std::string_view kResultsCycleSuffix = "周";
inline constexpr std::string_view kResultsCurrent = "（現在）";
inline constexpr std::string_view kResultsTotalsOf = "の合計";
// "正解率 67 %（解けた 2／挑戦 3）": solved over tried records, to the nearest per cent.
inline constexpr std::string_view kResultsSuccessRate = "正解率 ";
inline constexpr std::string_view kResultsPercent = " %";
inline constexpr std::string_view kResultsRateSolved = "（解けた ";
inline constexpr std::string_view kResultsRateTried = "／挑戦 ";
inline constexpr std::string_view kResultsRateClose = "）";
inline constexpr std::string_view kResultsTotal = "合計 ";
inline constexpr std::string_view kResultsAverage = "1回あたりの平均 ";
inline constexpr std::string_view kResultsNewCycle = "新しい周回";
inline constexpr std::string_view kResultsExportCsv = "CSV出力";
// "新しい周回" asks first: "第3周を始めますか？", what is kept, and its two answers.
inline constexpr std::string_view kResultsNewCycleAsk = "を始めますか？";
inline constexpr std::string_view kResultsNewCycleKept =
    "現在の周回の成績は、周回ごとの成績に残ります。元には戻せません。";
inline constexpr std::string_view kResultsNewCycleStart = "始める";
inline constexpr std::string_view kResultsNewCycleCancel = "やめる";
// The results window's status line after "CSV出力", followed by the file.
inline constexpr std::string_view kResultsCsvWritten = "次のファイルに書き出しました：";
inline constexpr std::string_view kResultsAllBooks = "全ての書籍";
inline constexpr std::string_view kResultsCsvFilter = "CSV (*.csv)";
inline constexpr std::string_view kResultsAllBooksFile = "Quillmere-study.csv";
inline constexpr std::string_view kResultsRecordsName = "棋譜ごとの成績";
inline constexpr std::string_view kResultsCyclesName = "周回ごとの成績";
inline constexpr std::string_view kResultsTotalsName = "現在の周回の合計";

// The pictures of progress: the streaks line ("連続 N日　最長 N日　学習日数 N日　合計 H時間M分"),
// the calendar's months, weekdays, legend and day, the cycles' bars, the solving times, and the
// names a screen reader gives the charts.
inline constexpr std::string_view kProgressStreak = "連続 ";
inline constexpr std::string_view kProgressLongest = "最長 ";
inline constexpr std::string_view kProgressDaysStudied = "学習日数 ";
inline constexpr std::string_view kProgressTotal = "合計 ";
inline constexpr std::string_view kProgressDays = "日";
inline constexpr std::string_view kProgressGap = "　";
inline constexpr std::string_view kProgressYear = "年";
inline constexpr std::string_view kProgressMonth = "月";
// Monday first, one character each.
inline constexpr std::string_view kProgressWeekdays = "月火水木金土日";
inline constexpr std::string_view kProgressAttemptsSuffix = "回";
inline constexpr std::string_view kProgressRange = "〜";
inline constexpr std::string_view kProgressDate = "日付";
inline constexpr std::string_view kProgressAttempts = "回数";
inline constexpr std::string_view kProgressTime = "時間";
inline constexpr std::string_view kProgressSuccessRate = "正解率";
inline constexpr std::string_view kProgressMoves = "手数";
inline constexpr std::string_view kProgressMovesSuffix = "手";
inline constexpr std::string_view kProgressMedian = "中央値";
inline constexpr std::string_view kProgressLatest = "最後";
inline constexpr std::string_view kProgressCalendarName = "学習の記録（日ごと）";
inline constexpr std::string_view kProgressCyclesName = "周回ごとの結果";
inline constexpr std::string_view kProgressTimesName = "解くのにかかった時間";
inline constexpr std::string_view kProgressByRecord = "棋譜ごと";
inline constexpr std::string_view kProgressByMoves = "手数ごとの中央値";
inline constexpr std::string_view kProgressUntimedPrefix = "時間のない解けた挑戦 ";
inline constexpr std::string_view kProgressNoTimePrefix = "時間のない棋譜 ";
inline constexpr std::string_view kProgressNoData = "まだ記録がありません";
// The window of progress: its title (also in the book list's menu and on the results window's
// button), the choice of book, the day's attempts, the tables' toggle, and what it says when
// every book is shown.
inline constexpr std::string_view kProgressTitle = "学習の推移";
inline constexpr std::string_view kProgressBook = "書籍";
inline constexpr std::string_view kProgressRecord = "棋譜";
inline constexpr std::string_view kProgressResult = "結果";
inline constexpr std::string_view kProgressDayAttemptsSuffix = "の挑戦";
inline constexpr std::string_view kProgressDayAttemptsName = "選んだ日の挑戦";
inline constexpr std::string_view kProgressStreaksName = "連続と合計";
inline constexpr std::string_view kProgressShowTables = "表で見る";
inline constexpr std::string_view kProgressChooseDay = "日を選ぶと、その日の挑戦が出ます";
inline constexpr std::string_view kProgressOneBookOnly =
    "周回と解くのにかかった時間は、書籍を一つ選ぶと出ます";

// The preview of a record: its reasons for showing no board, and its captions.
inline constexpr std::string_view kPreviewMissing = "ファイルが見つかりません";
inline constexpr std::string_view kPreviewNotAFile = "ファイルではありません";
inline constexpr std::string_view kPreviewUnreadable = "ファイルを読めません";
inline constexpr std::string_view kPreviewEmpty = "空のファイルです";
inline constexpr std::string_view kPreviewTooLarge = "棋譜にしては大きすぎます";
inline constexpr std::string_view kPreviewBinary = "棋譜のファイルではありません";
inline constexpr std::string_view kPreviewNoPosition = "局面が書かれていません";
inline constexpr std::string_view kPreviewDiagramCut = "盤面図が途中で切れています";
inline constexpr std::string_view kPreviewDiagramBroken = "盤面図の形が崩れています";
// "盤面図の" + rank numeral + "段目が読めません"
inline constexpr std::string_view kPreviewRankBrokenPrefix = "盤面図の";
inline constexpr std::string_view kPreviewRankBrokenSuffix = "段目が読めません";
inline constexpr std::string_view kPreviewUnknownPiece = "知らない駒があります：";
inline constexpr std::string_view kPreviewBadHand = "持駒が読めません：";
inline constexpr std::string_view kPreviewTooManyPieces = "駒の数が多すぎます：";
inline constexpr std::string_view kPreviewUnknownHandicap = "手合割から盤面を作れません：";
inline constexpr std::string_view kPreviewNoPage = "ページ画像はありません";
inline constexpr std::string_view kPreviewPageNotShown = "ページ画像を表示できません";
inline constexpr std::string_view kPreviewPageNotJpeg = "ページ画像が JPEG ではありません";
inline constexpr std::string_view kPreviewPageTooLarge = "ページ画像が大きすぎます";
inline constexpr std::string_view kPreviewSenteHand = "☗持駒：";
inline constexpr std::string_view kPreviewGoteHand = "☖持駒：";
inline constexpr std::string_view kPreviewNone = "なし";
inline constexpr std::string_view kPreviewToMove = "（手番）";
inline constexpr std::string_view kPreviewTitle = "表題：";
inline constexpr std::string_view kPreviewAuthor = "作者：";
inline constexpr std::string_view kPreviewMovesPrefix = "手数：";
inline constexpr std::string_view kPreviewMovesSuffix = "手";

// Today's reviews: the window (its title is also the menus' item), "次の復習" and what it says
// when nothing is due ("今日の復習はありません。次は 2026-12-09 です。"), the counts line
// ("今日 N件（期限切れ N件）　明日 N件　予定なし N件　未挑戦 N件"), the columns of the table, the
// desired retention, and the names a screen reader gives them.
inline constexpr std::string_view kReviewsTitle = "今日の復習";
inline constexpr std::string_view kMenuNextReview = "次の復習";
inline constexpr std::string_view kMsgNoReviews = "今日の復習はありません。";
inline constexpr std::string_view kMsgNextReviewPrefix = "次は ";
inline constexpr std::string_view kMsgNextReviewSuffix = " です。";
inline constexpr std::string_view kReviewsToday = "今日 ";
inline constexpr std::string_view kReviewsOverdue = "（期限切れ ";
inline constexpr std::string_view kReviewsOverdueClose = "）";
inline constexpr std::string_view kReviewsTomorrow = "明日 ";
inline constexpr std::string_view kReviewsLater = "予定なし ";
inline constexpr std::string_view kReviewsNeverTried = "未挑戦 ";
inline constexpr std::string_view kReviewsCountSuffix = "件";
inline constexpr std::string_view kReviewsGap = "　";
inline constexpr std::string_view kReviewsBook = "書籍";
inline constexpr std::string_view kReviewsRecord = "棋譜";
inline constexpr std::string_view kReviewsDue = "期限";
inline constexpr std::string_view kReviewsOverdueDays = "超過日数";
inline constexpr std::string_view kReviewsLastOutcome = "前回の結果";
inline constexpr std::string_view kReviewsAttempts = "回数";
inline constexpr std::string_view kReviewsRecall = "想起率";
inline constexpr std::string_view kReviewsPercent = "%";
inline constexpr std::string_view kReviewsRetention = "目標の想起率";
inline constexpr std::string_view kReviewsTableName = "今日の復習の棋譜";
inline constexpr std::string_view kReviewsCountsName = "復習の件数";

}  // namespace modConst

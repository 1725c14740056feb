#include "screens/common/messages.h"

#include <array>
#include <utility>

#include "screens/common/captions.h"

namespace nubera::screens {

namespace {

// clang-format off
const std::array<std::string, kMessageCount>& table() {
  static const std::array<std::string, kMessageCount> sentences = [] {
    std::array<std::string, kMessageCount> all;
    const std::pair<MessageId, std::string> rows[] = {
      {MessageId::Text, "{}"},
      {MessageId::Line, "\n{}"},
      {MessageId::ApplicationTitle, "" + std::string(caption::kApplicationTitle) + ""},
      {MessageId::HelpTitle, "ヘルプ － ストリーミング"},
      {MessageId::HelpName, "ヘルプ"},
      {MessageId::Ok, "OK"},
      {MessageId::FillIn, "記入しましょう。"},
      {MessageId::Saved, "保存しました。"},
      {MessageId::Done, "完成しました"},
      {MessageId::VersionLine, "ﾊﾞｰｼﾞｮﾝ {}.{}.{}"},
      {MessageId::SubjectServer, "サーバー名"},
      {MessageId::SubjectAccount, "アカウント名"},
      {MessageId::SubjectFolder, "フォルダー名"},
      {MessageId::SubjectVideo, "ビデオ名"},
      {MessageId::SubjectStored, "保存されている{}（{}）"},
      {MessageId::ShownCharacter, "「{}」"},
      {MessageId::ShownInvisible, "「{}」（{}）"},
      {MessageId::LooksBlank, "空白に見える文字"},
      {MessageId::LooksLineBreak, "改行に見える文字"},
      {MessageId::LooksCombining, "前の文字に重なる記号"},
      {MessageId::LooksInvisible, "目に見えない文字"},
      {MessageId::NameDots, "{}に「{}」は使えません。"},
      {MessageId::NameOnlyDots, "{}を「.」や空白だけにはできません。"},
      {MessageId::NameTrailingDot, "{}の最後に「.」や空白は使えません。"},
      {MessageId::NameControl, "{}に制御文字は使えません。"},
      {MessageId::NameReserved, "{}に使えない文字「{}」が含まれています。"},
      {MessageId::NameDevice, "{}「{}」は Windows が装置に使う名前なので使えません。"},
      {MessageId::NameUnencodable, "{}の{}は Shift_JIS で保存できない文字です。"},
      {MessageId::NameProgramFile, "{}「{}」はこのプログラムのファイルと同じ名前なので使えません。"},
      {MessageId::TypeOtherCharacter, "別の文字に置き換えてください。"},
      {MessageId::TypeOtherName, "別の名前を入力してください。"},
      {MessageId::TypeShorterName, "短い名前を入力してください。"},
      {MessageId::FolderCaseTwin, "{}「{}」と大文字・小文字だけが違うフォルダー「{}」が既にあります。サーバーでは別の名前になるので、「{}」と同じに入力してください。"},
      {MessageId::FolderAlias, "{}「{}」は、既にあるフォルダー「{}」の別名として扱われます。サーバーでは別の名前になるので、「{}」と同じに入力するか、別の名前を入力してください。"},
      {MessageId::FolderTooLong, "{}のフォルダーを作れません。{}"},
      {MessageId::NoRoomForSite, "{}のフォルダーの中に仮想サーバーのフォルダーやページを作れません（パスが長すぎます）。"},
      {MessageId::NoRoomForPages, "{}のフォルダーの中にページを作れません（パスが長すぎます）。"},
      {MessageId::StoredMissing, "{}がありません。"},
      {MessageId::RebuildSite, "\nメインメニューの「" + std::string(caption::kServerFolder) + "」で仮想サーバーを作り直してください。"},
      {MessageId::RetypeServer, "\nメインメニューの「" + std::string(caption::kServerFolder) + "」でサーバー名を入力し直してください。"},
      {MessageId::NotAHost, "サーバー名「{}」はサーバーの名前として使えません。英数字、「-」、「.」だけで、「http://」や「/」、空白を付けずに入力してください。\n例：www.example.ne.jp"},
      {MessageId::SettingWidth, "" + std::string(caption::kWidth) + ""},
      {MessageId::SettingHeight, "" + std::string(caption::kHeight) + ""},
      {MessageId::SettingAutostart, "" + std::string(caption::kAutostart) + ""},
      {MessageId::SettingAlignment, "" + std::string(caption::kAlignment) + ""},
      {MessageId::SettingEmpty, "「{}」が空"},
      {MessageId::SettingValue, "「{}」の「{}」"},
      {MessageId::SizeMissing, "{}です。0 より大きい数を数字で入力してください（例：320）。\n"},
      {MessageId::SizeNotANumber, "{}は数値ではありません。0 より大きい数を数字で入力してください（例：320）。\n"},
      {MessageId::WidthTooLarge, "{}は大きすぎて、高さが決まりません。0 より大きい数を数字で入力してください（例：320）。\n"},
      {MessageId::HeightNotRule, "{}は、{}の 4 分の 3 ではありません。幅を入力し直すと、高さが決まります。\n"},
      {MessageId::AutostartWord, "{}は使えません。true か false にしてください。\n"},
      {MessageId::AlignmentWord, "{}は使えません。center、left、right のどれかにしてください。\n"},
      {MessageId::PlayerRefused, "プレーヤーの設定をページに書けません。\n"},
      {MessageId::PlayerFixOnSettings, "「" + std::string(caption::kSettings) + "」を押して、設定の画面で直してください。"},
      {MessageId::VideoInexact, "ビデオ名の「{}」は、Windows のメタファイルには「{}」と書かれ、ないファイルを指してしまいます。「{}」の代わりに「{}」を入力してください（ビデオファイルの名前も「{}」にします）。"},
      {MessageId::VideoCaseTwin, "ビデオ名「{}」と大文字・小文字だけが違うページ一式「{}」（{}.ram など）が既にあります。Windows では同じファイルに上書きされ、サーバーでは別の名前になるので、「{}」と同じに入力するか、別の名前を入力してください。"},
      {MessageId::VideoFileAlias, "ビデオ名「{}」のファイル「{}」は、既にあるファイル「{}」の別名として扱われ、そのファイルが上書きされてしまいます。別のビデオ名を入力してください。"},
      {MessageId::VideoFileUnwritable, "ビデオファイル「{}」の名前の{}は、Windows のメタファイルにそのままは書けず、ないファイルを指してしまいます。ビデオファイルの名前を、{}付け直してから、その名前をビデオ名に入力してください。"},
      {MessageId::RenameWithout, "この文字のない名前に"},
      {MessageId::RenameTo, "「{}」と入力し直して"},
      {MessageId::AddressControl, "ビデオのアドレスに制御文字は使えません。別の文字に置き換えてください。"},
      {MessageId::AddressSlashes, "ビデオまでのアドレス「{}」は「/」で始めて「/」で終えてください。\n例：/user name/hoge/video/"},
      {MessageId::AddressDots, "ビデオまでのアドレス「{}」の「{}」は、サーバーやプレーヤーが別のフォルダーに読み替えてしまうので使えません。「.」や「..」だけの部分がないアドレスを入力してください。\n例：/user name/hoge/video/"},
      {MessageId::WhichUnencodable, "Shift_JIS で保存できない文字{}"},
      {MessageId::WhichChanges, "Shift_JIS で保存すると別の文字（{}）に変わる文字「{}」"},
      {MessageId::ProgramPathHasCharacter, "プログラムのフォルダーの場所に、{}が含まれています。\n{}\nこの場所はファイルに書き込まれるので、このままでは作成できません。st_nubera のフォルダーごと、場所にこのような文字を含まないフォルダーに移してから起動してください。"},
      {MessageId::ProgramFolderTooDeep, "プログラムのフォルダーの場所が深すぎて、この中にフォルダーやファイルを作れません。\n{}\nst_nubera のフォルダーごと、もっと浅い場所のフォルダー（例：ドキュメント）に移してから起動してください。"},
      {MessageId::OpMakeDirectory, "フォルダーを作成できませんでした。"},
      {MessageId::OpWrite, "ファイルを保存できませんでした。"},
      {MessageId::OpRead, "ファイルを読み込めませんでした。"},
      {MessageId::OpLook, "ファイルやフォルダーがあるかどうかを確かめられませんでした。"},
      {MessageId::FolderRefuses, "\nこのフォルダーに書き込めません：\n{}\nフォルダーの書き込みの許可（読み取り専用の設定）を確かめてください。"},
      {MessageId::ProgramFolderRefuses, "プログラムのフォルダーに書き込めません。\n{}\nこのプログラムは、作るファイルをすべて自分のフォルダーの中に置きます。st_nubera のフォルダーごと、書き込めるフォルダー（例：ドキュメント）に移してから起動してください。\n（{}：{}）"},
      {MessageId::Unexpected, "処理を続けられませんでした。\n{}"},
      {MessageId::HandlersNeverEnd, "画面の値の更新が終わりませんでした。"},
      {MessageId::PagesMissing, "ビデオ名「{}」のページ（{}）がまだ作られていないので、完成できません。"},
      {MessageId::ListMore, "、{}"},
      {MessageId::PreviewFirstQuick, "このビデオ名で「" + std::string(caption::kSave) + "」を押してから、「" + std::string(caption::kPublishQuick) + "」を押してください。"},
      {MessageId::PreviewFirstDetailed, "先にこのビデオ名で「" + std::string(caption::kCreate) + "」を押してから、「" + std::string(caption::kPublish) + "」を押してください。"},
      {MessageId::ReopenToSave, "\n\n保存をやり直すには、「" + std::string(caption::kBack) + "」を押してメインメニューに戻り、「" + std::string(caption::kQuick) + "」でこの画面を開き直してください。"},
      {MessageId::NoVideoFolder, "ビデオを入れるフォルダーがありません。\n{}\n先にメインメニューの「" + std::string(caption::kServerFolder) + "」で仮想サーバーを作ってください。"},
      {MessageId::NoServerFolder, "サーバーのフォルダーがありません。\n{}\n先にメインメニューの「" + std::string(caption::kServerFolder) + "」でサーバー名を入力し、「" + std::string(caption::kCreate) + "」を押してください。"},
      {MessageId::ServerNameChanged, "この画面を開いた後で、サーバー名が「{}」から「{}」に変わりました。\n{}\n何も作成していません。「" + std::string(caption::kEnd) + "」を押してメインメニューに戻り、「" + std::string(caption::kServerFolder) + "」を開き直してください。"},
      {MessageId::StartedInTemporaryFolder, "このプログラムは一時フォルダーの中から起動されています。\n{}\nzip ファイルの中から直接起動すると、このフォルダーは後で Windows に消され、作ったフォルダーやファイルも一緒に消えてしまいます。zip ファイルを自分のフォルダー（例：ドキュメント）に展開し、展開したフォルダーの st_nubera.exe から起動してください。"},
      {MessageId::SystemErrorNumber, "エラー {}"},
      {MessageId::HelpMissing, "ヘルプを開けませんでした。\n{}"},
      {MessageId::CauseNotFound, "ファイルまたはフォルダーが見つかりません。"},
      {MessageId::CauseDenied, "アクセスが拒否されました。"},
      {MessageId::CauseInUse, "ほかのプログラムがこのファイルを使用中です。"},
      {MessageId::CauseHeldOpen, "ほかのプログラム（ブラウザーやプレーヤーなど）がこのファイルを開いています。そのプログラムを閉じてから、もう一度保存してください。"},
      {MessageId::CauseReadOnlyPlace, "読み取り専用の場所です。"},
      {MessageId::CauseReadOnlyFile, "読み取り専用のファイルです。"},
      {MessageId::CauseDiskFull, "ディスクの空き容量が足りません。"},
      {MessageId::CauseQuotaReached, "ディスクの使用量の上限に達しました。"},
      {MessageId::CauseFileTooLarge, "ファイルが大きすぎます。"},
      {MessageId::CauseNameTooLong, "名前が長すぎます。"},
      {MessageId::CauseFilePathTooLong, "パスが長すぎます。Windows では、保存するファイルのパスは 259 文字まで、そのフォルダーのパスは 243 文字までです。フォルダー名や名前を短くしてください。"},
      {MessageId::CauseFolderPathTooLong, "パスが長すぎます。Windows では、作るフォルダーのパスは 247 文字までです。フォルダー名を短くしてください。"},
      {MessageId::CauseBadName, "ファイル名、フォルダー名の構文が間違っています。"},
      {MessageId::CauseFileExists, "同じ名前のファイルが既にあります。"},
      {MessageId::CauseFolderExists, "同じ名前のフォルダーまたはファイルが既にあります。"},
      {MessageId::CauseFolderInTheWay, "同じ名前のフォルダーがあります。"},
      {MessageId::CauseNotAFolder, "途中の名前がフォルダーではありません。"},
      {MessageId::CauseLinkLoop, "リンクが多すぎるか、リンクが自分自身を指しています。"},
      {MessageId::CauseTooManyLinks, "リンクが多すぎます。"},
      {MessageId::CauseNotRegularFile, "通常のファイルではありません。"},
      {MessageId::CauseTooManyOpenFiles, "開いているファイルが多すぎます。ほかのプログラムを閉じてから、もう一度試してください。"},
      {MessageId::CauseNoMemory, "メモリが足りません。"},
      {MessageId::CauseInterrupted, "処理が中断されました。もう一度試してください。"},
      {MessageId::CauseInputOutput, "入出力エラーが発生しました。"},
      {MessageId::CauseDriveNotReady, "ドライブの準備ができていません。"},
      {MessageId::CauseNetworkDenied, "ネットワーク上の場所へのアクセスが拒否されました。"},
      {MessageId::CauseUnencodable, "{}は Shift_JIS で保存できない文字です。"},
      {MessageId::CauseFirstLineTooLong, "1行目が長すぎます（{} バイトまで）。"},
      {MessageId::CauseNotOneLine, "1行の Shift_JIS のテキストではありません（壊れているか、別の文字コードです）。"},
      {MessageId::CauseNotShiftJis, "Shift_JIS のテキストとして読めない内容が含まれています。"},
      {MessageId::CauseSystem, "{}"},
    };
    for (const auto& [id, text] : rows) all[static_cast<std::size_t>(id)] = text;
    return all;
  }();
  return sentences;
}
// clang-format on

void sayInto(std::string& out, const Message& m) {
  if (m.id == MessageId::Text) {
    out += m.text;
  } else {
    const std::string_view s = sentence(m.id);
    std::size_t arg = 0, from = 0;
    for (std::size_t at = s.find("{}"); at != std::string_view::npos; at = s.find("{}", from)) {
      out += s.substr(from, at - from);
      if (arg < m.args.size()) sayInto(out, m.args[arg++]);
      from = at + 2;
    }
    out += s.substr(from);
  }
  for (const Message& more : m.next) sayInto(out, more);
}

}  // namespace

std::string_view sentence(MessageId id) {
  return table()[static_cast<std::size_t>(id)];
}

std::string say(const Message& m) {
  std::string out;
  sayInto(out, m);
  return out;
}

}  // namespace nubera::screens

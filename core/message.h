#pragma once
// What the program says, as ids and the values in them. The words are the screens' own, one
// sentence per id in one table (screens/common/messages.cpp), so nothing below the screens
// spells a sentence or a caption, and a test compares ids.

#include <string>
#include <string_view>
#include <vector>

namespace nubera {

// Why a file operation failed: one cause for every errno and Win32 error the program meets,
// each with its one sentence in the table ("{}" there is the failure's detail).
#define NUBERA_FILE_CAUSES(X)                                                                  \
  X(NotFound)                                                                                  \
  X(Denied)                                                                                    \
  X(InUse) X(HeldOpen) X(ReadOnlyPlace) X(ReadOnlyFile) X(DiskFull) X(QuotaReached)            \
      X(FileTooLarge) X(NameTooLong) X(FilePathTooLong) X(FolderPathTooLong) X(BadName)        \
          X(FileExists) X(FolderExists) X(FolderInTheWay) X(NotAFolder) X(LinkLoop)            \
              X(TooManyLinks) X(NotRegularFile) X(TooManyOpenFiles) X(NoMemory) X(Interrupted) \
                  X(InputOutput) X(DriveNotReady) X(NetworkDenied) X(Unencodable)              \
                      X(FirstLineTooLong) X(NotOneLine) X(NotShiftJis) X(System)

#define NUBERA_FILE_CAUSE(name) name,
enum class FileCause { NUBERA_FILE_CAUSES(NUBERA_FILE_CAUSE) };
#undef NUBERA_FILE_CAUSE

// Every sentence's id, in the order of the table; the file causes' sentences follow them.
// clang-format off
#define NUBERA_MESSAGES(X) \
  X(Text) /* a value as it is: a name, a path, the system's own words */ \
  X(Line) /* "\n" and a value */ \
  X(ApplicationTitle) X(HelpTitle) X(HelpName) X(Ok) \
  X(FillIn) X(Saved) X(Done) X(VersionLine) \
  X(SubjectServer) X(SubjectAccount) X(SubjectFolder) X(SubjectVideo) X(SubjectStored) \
  X(ShownCharacter) X(ShownInvisible) \
  X(LooksBlank) X(LooksLineBreak) X(LooksCombining) X(LooksInvisible) \
  X(NameDots) X(NameOnlyDots) X(NameTrailingDot) X(NameControl) X(NameReserved) X(NameDevice) \
  X(NameUnencodable) X(NameProgramFile) X(TypeOtherCharacter) X(TypeOtherName) \
  X(TypeShorterName) \
  X(FolderCaseTwin) X(FolderAlias) X(FolderTooLong) X(NoRoomForSite) X(NoRoomForPages) \
  X(StoredMissing) X(RebuildSite) X(RetypeServer) X(NotAHost) \
  X(SettingWidth) X(SettingHeight) X(SettingAutostart) X(SettingAlignment) \
  X(SettingEmpty) X(SettingValue) X(SizeMissing) X(SizeNotANumber) X(WidthTooLarge) \
  X(HeightNotRule) X(AutostartWord) X(AlignmentWord) X(PlayerRefused) X(PlayerFixOnSettings) \
  X(VideoInexact) X(VideoCaseTwin) X(VideoFileAlias) X(VideoFileUnwritable) X(RenameWithout) \
  X(RenameTo) \
  X(AddressControl) X(AddressSlashes) X(AddressDots) \
  X(WhichUnencodable) X(WhichChanges) X(ProgramPathHasCharacter) X(ProgramFolderTooDeep) \
  X(OpMakeDirectory) X(OpWrite) X(OpRead) X(OpLook) \
  X(FolderRefuses) X(ProgramFolderRefuses) X(Unexpected) X(HandlersNeverEnd) \
  X(PagesMissing) X(ListMore) X(PreviewFirstQuick) X(PreviewFirstDetailed) X(ReopenToSave) \
  X(NoVideoFolder) X(NoServerFolder) X(ServerNameChanged) X(StartedInTemporaryFolder) \
  X(HelpMissing) X(SystemErrorNumber)
// clang-format on

#define NUBERA_MESSAGE_ID(name) name,
#define NUBERA_CAUSE_ID(name) Cause##name,
enum class MessageId { NUBERA_MESSAGES(NUBERA_MESSAGE_ID) NUBERA_FILE_CAUSES(NUBERA_CAUSE_ID) };
#undef NUBERA_CAUSE_ID
#undef NUBERA_MESSAGE_ID
inline constexpr int kMessageCount = static_cast<int>(MessageId::CauseSystem) + 1;

// The sentence of a file cause.
MessageId causeMessage(FileCause cause);
// The id's name, as the table above spells it ("NameReserved"), for tests and logs.
std::string_view messageName(MessageId id);

// One thing said: a sentence by id with its values in place of its "{}", in order (each itself
// said first; a value as it is is a Text), and what is said right after it.
struct Message {
  MessageId id = MessageId::Text;
  std::string text;  // a Text's value
  std::vector<Message> args;
  std::vector<Message> next;

  Message() = default;
  Message(MessageId id, std::vector<Message> args = {});
  // A value as it is.
  Message(std::string value);  // NOLINT: values are said as they are
  // What is said right after it.
  Message& then(Message more);
  Message& then(MessageId id, std::vector<Message> args = {});
};

// Ids and values, as tests compare them: "NameReserved(SubjectVideo,/)".
std::string shape(const Message& m);

}  // namespace nubera

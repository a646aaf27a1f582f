#pragma once
// What the program tells the user: one interface, shown as message boxes by the desktop
// program, written to stderr by the command line and recorded by tests. The fixed texts
// live in one string table (MessageText), numbered where the program numbers them.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {

enum class MessageKind { Information, Warning, Error, Question };

// Numbered texts keep their number; the others have ids from 100000 on.
enum class MessageId : int {
    NotWritableCancel = 131,       // "データが変更されましたが、キャンセルしてよいのですか？"
    CannotAdd = 901,
    MaxRows = 902,
    NoOrBadData = 903,
    CannotOverwrite = 904,
    OverwriteOutOfRange = 905,
    SameData = 908,
    NoDataOrBad = 912,
    WrongFileContent = 915,
    ClearStyleConfirm = 1110,
    MayNotShowCorrectly = 1111,
    ItemNotInCatalogue = 1112,
    SaveStartupStyle = 1204,
    WidthTooSmall = 3991,
    GroupCountMissing = 3993,
    GroupCountBad = 3994,
    SameDisplayItem = 3995,
    TooMuchData = 4001,
    SaveFailed = 4005,
    NotStandardExtension = 4007,
    CouldNotRun = 4032,
    NoData = 32778,
    FileNotFound = 32790,

    TooManyCsv = 100000,
    CantCreateFont,
    BadInstallFolder,
    NotReadableLogFile,
    UnknownDtdVersion,
    CannotReformat,
    UseOpenMenu,
    LineTooLong,
    NoPropertyTable,
    BadPathName,
    PrintDepthPerPage,
    NoDrawingLength,
    // What a dialog says of a number it cannot take (%1, %2: the lowest and the highest).
    NotAnInteger,
    NotANumber,
    IntegerOutOfRange,
    NumberOutOfRange,
    NoDataForce,
    BadNumber,
    BadInput,
    GiveRowPosition,
    AttributeDataIncluded,
    SaveFormDefault,
    A3Printer,
    NextStartup,
    DataNotEditable,
    TitleOptionsActive,
    // Opening a document: a file that exists but cannot be read (a folder, no permission, too large).
    CannotReadFile,
    // Exchange data that ends before its closing ボーリング情報 tag: nothing was read, or what
    // was read is shown.
    TruncatedExchangeData,
    TruncatedExchangeDataShown,
    // Records the reader could not keep: beyond a table, a second value for one depth, values
    // without their test (%1: each group with its count).
    RecordsDropped,
    // Reformatting notes: a tag that could not be cut out.
    UnreadableLineNote,
    // Records of a data file skipped because a field could not be read (%1: the file, then
    // each record's group, field and text).
    RecordsSkipped,
};

// The fixed text of a message (UTF-8).
std::string MessageText(MessageId id);

// The text with "%1" replaced by arg.
std::string MessageText(MessageId id, std::string_view arg);

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a message with one OK button.
    virtual void Show(MessageKind kind, const std::string& text) = 0;
    // Asks a Yes/No question; true for Yes.
    virtual bool Ask(const std::string& question) = 0;

    void Information(const std::string& text) { Show(MessageKind::Information, text); }
    void Warning(const std::string& text) { Show(MessageKind::Warning, text); }
    void Error(const std::string& text) { Show(MessageKind::Error, text); }
};

// Command line: every message goes to stderr; a question is answered by the stated default.
class StderrMessages : public Messages {
public:
    explicit StderrMessages(bool defaultAnswer = false, std::string prefix = "stracol")
        : m_defaultAnswer(defaultAnswer), m_prefix(std::move(prefix)) {}
    void Show(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& question) override;

private:
    bool m_defaultAnswer;
    std::string m_prefix;
};

// Tests: keeps every message and answers questions from a queue (then the default).
class RecordingMessages : public Messages {
public:
    struct Entry {
        MessageKind kind;
        std::string text;
    };
    void Show(MessageKind kind, const std::string& text) override { entries.push_back({kind, text}); }
    bool Ask(const std::string& question) override;

    // Number of messages whose text equals text.
    int Count(std::string_view text) const;
    bool Empty() const { return entries.empty(); }

    std::vector<Entry> entries;
    std::deque<bool> answers;
    bool defaultAnswer = false;
};

// Discards everything; questions answer No.
class SilentMessages : public Messages {
public:
    void Show(MessageKind, const std::string&) override {}
    bool Ask(const std::string&) override { return false; }
};

}  // namespace stracol::core

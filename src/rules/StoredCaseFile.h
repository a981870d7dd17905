#pragma once

#include "rules/TextFileStream.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace rules {

// One heir slot of a stored case, as the file holds it.
struct StoredHeir {
    QString name;
    QString relation;  // the relation text shown in the report
    int classCode = 0; // already folded: a grandfather is 96..98, never 3
};

// One deceased of a stored case with the heir slots that follow his line.
struct StoredDeceased {
    QString name;
    int lastSlot = 0; // last heir slot of this deceased, counted over the whole case
    std::vector<StoredHeir> heirs;
};

// One case of the stored-case file, checked whole before anybody sees it.
struct StoredCase {
    QString key; // "ت/ 12"
    int school = 0;
    int deceasedCount = 0;
    int heirCount = 0;
    QString caseType; // "م" or "ن"
    std::vector<StoredDeceased> deceased;
};

// The reader of the stored-case file "STORG" of the application folder: reference and model cases,
// each a key line ("ت/" and the case number as signed-number text), a header line (school,
// number of deceased, number of heir slots, case type), then every deceased's line (name, last
// slot) followed by the lines of his heirs (name, relation, class). Fields end at a comma or a line
// end.
//
// A search looks at every key line from the start of the file until one equals the key exactly,
// so "ت/12" never matches case 12, and a field inside a record never starts one. A scan hands out every
// record in turn and keeps the file open between records; any new search or scan first closes a file still
// open, so the file is never opened twice.
//
// Each record is checked before it is handed out, so that the calculation never meets a case the
// entry screens would have refused: a known school and case type; whole numbers within the
// engine's limits (a deceased at least, slot counts that add up, classes in range); names that
// are not empty and hold no "ـ"; no heir a deceased cannot leave (HeirCheck); a chain that holds
// together (ChainCheck); every line UTF-8 text without control characters. A record that fails
// is reported with its key, the file's name and the reason, and a scan goes on with the record
// after it.
class StoredCaseFile {
public:
    enum class Outcome {
        Loaded,    // `record` holds the case
        NotFound,  // the file ended without the key (or, in a scan, without a further record)
        Malformed, // `record.key` names the bad record, `problem` says what is wrong
        Missing,   // the file cannot be opened
    };
    struct Result {
        Outcome outcome = Outcome::NotFound;
        StoredCase record;
        QString problem; // an Arabic sentence for Malformed and Missing
    };

    // The limits a record must keep; the engine holds no more than this.
    static constexpr int MaxDeceased = 30;
    static constexpr int MaxHeirSlots = 200;
    static constexpr int MaxHeirsPerDeceased = 50;
    static constexpr int ClassTop = 112;

    // The file "STORG" of the application folder.
    StoredCaseFile();
    explicit StoredCaseFile(QString path);
    ~StoredCaseFile();

    StoredCaseFile(const StoredCaseFile&) = delete;
    StoredCaseFile& operator=(const StoredCaseFile&) = delete;

    // "ت/" followed by the number as signed-number text: "ت/ 12", "ت/-3".
    static QString keyFor(qint64 number);

    // Finds case `number`; the file is closed again whatever the outcome.
    Result find(qint64 number);
    // Opens the file and hands out its first record; the file stays open for scanNext().
    Result scanFirst();
    // The next record of the scan; NotFound (file closed) after the last one. Without an open
    // scan it is NotFound at once.
    Result scanNext();
    // Abandons a scan; nothing happens when no file is open.
    void close();

    bool scanning() const { return m_text.isOpen(); }
    QString path() const { return m_path; }

private:
    struct Field {
        QString text;
        bool startsLine = false;
        bool keyLine = false; // a line of one field beginning with "ت/"
        bool badLine = false; // not UTF-8, or holding a control character
        int line = 0;
    };

    bool open();
    bool fetch(); // reads lines until a field is queued; false at the end of the file
    bool nextField(Field& f);
    const Field* peekField();
    Result readRecord(const QString& key);
    void skipToNextKeyLine();
    Result missing() const;
    QString fileName() const;
    // The refusal of a record: its key, the file and the reason.
    QString damaged(const QString& key, const QString& reason) const;

    QString m_path;
    TextFileStream m_text;
    std::deque<Field> m_pending;
};

} // namespace rules

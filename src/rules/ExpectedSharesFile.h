#pragma once

#include "rules/TextFileStream.h"

#include <QString>

#include <boost/multiprecision/cpp_int.hpp>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace rules {

// The expected-shares file "STOR" of the application folder: for every case of the stored-case
// file, in the same order, the case's key and then the final share of each of its heir slots in
// slot order. A field ends at a comma or at a line end; blanks around a field are not part of it,
// and a line of blanks holds no field, so values may stand one to a line or many to a line.
//
// A value is a plain number ("12", "12.0"); an empty field is 0. A field holding anything else,
// a number in quotation marks included, is text and equals no share.
class ExpectedSharesFile {
public:
    using BigInt = boost::multiprecision::cpp_int;
    using Rational = boost::multiprecision::cpp_rational;

    // The file "STOR" of the application folder.
    ExpectedSharesFile();
    explicit ExpectedSharesFile(QString path);
    ~ExpectedSharesFile();

    ExpectedSharesFile(const ExpectedSharesFile&) = delete;
    ExpectedSharesFile& operator=(const ExpectedSharesFile&) = delete;

    // Opens the file for reading from its start; false when it cannot be read.
    bool open();
    void close();
    bool isOpen() const { return m_text.isOpen(); }
    QString path() const { return m_path; }

    // The next field; nothing at the end of the file.
    std::optional<QString> next();
    // Whether the next field, if any, is a key; false at the end of the file.
    bool nextIsKey();
    bool atEnd();

    // A key is where a record starts: "ت/" followed by the case number.
    static bool isKey(const QString& field);
    // The most digits a value field may hold: a combined base of thirty deceased, each base below
    // 2^63, has fewer than 570.
    static constexpr int MaxDigits = 1000;

    // What a value field stands for; nothing when it is text or longer than MaxDigits digits.
    static std::optional<Rational> value(const QString& field);
    // One record as the file holds it: the key on its own line, the values on the next.
    static QString record(const QString& key, const std::vector<BigInt>& shares);

private:
    bool fetch();

    QString m_path;
    TextFileStream m_text;
    std::deque<QString> m_pending;
};

} // namespace rules

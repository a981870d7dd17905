#pragma once

#include <QFile>
#include <QString>
#include <QTextStream>

#include <memory>

namespace rules {

// A UTF-8 text file open for reading line by line, as the stored-case and expected-shares files
// are read. Closed when reset; `open` on a missing file leaves it closed.
struct TextFileStream {
    std::unique_ptr<QFile> file;
    std::unique_ptr<QTextStream> stream;

    bool open(const QString& path) {
        reset();
        auto f = std::make_unique<QFile>(path);
        if (!f->open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        file = std::move(f);
        stream = std::make_unique<QTextStream>(file.get());
        stream->setEncoding(QStringConverter::Utf8);
        return true;
    }
    void reset() {
        stream.reset();
        file.reset();
    }
    bool isOpen() const { return file != nullptr; }
};

} // namespace rules

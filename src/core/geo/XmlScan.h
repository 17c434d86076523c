#pragma once
// A small XML reader for track files of millions of points: elements, attributes and text
// straight from the file's UTF-8 bytes, without a string made for every name. It checks what
// makes a document well-formed (nesting, quoting, entities) and knows no document types: one is
// reported, never read, so no entity is ever expanded.

#include <QByteArray>
#include <QString>
#include <string_view>
#include <vector>

class XmlScan {
  public:
    enum class Token { Start, End, Text, Doctype, Done, Error };

    // `text` must stay alive while the scan runs.
    explicit XmlScan(std::string_view text);

    // After Error, Doctype or Done every further call gives the same token.
    Token next();
    // The element's name without its namespace prefix (Start and End).
    std::string_view name() const { return name_; }
    // An attribute's value by its name without prefix, entities decoded; empty when absent.
    QString attribute(std::string_view local) const;
    // The same, undecoded, for numbers.
    std::string_view rawAttribute(std::string_view local) const;
    // The text of a Text token, entities decoded.
    QString text() const;
    std::string_view rawText() const { return text_; }
    // Elements open around the scan's place.
    int depth() const { return int(open_.size()); }
    const QString& error() const { return error_; }

    // The text of the element just started, up to its end (children's text included, their tags
    // not); the scan stands after the element's end. Returns false on an error.
    bool elementText(std::string& out);

  private:
    Token fail(const QString& why);
    bool readAttributes();
    bool skipPast(std::string_view end);

    const char* p_;
    const char* end_;
    std::string_view name_, text_, attributes_;
    bool pendingEnd_ = false, cdata_ = false, rootSeen_ = false, doctype_ = false;
    std::vector<std::string_view> open_;
    QString error_;
};

// Bytes of an XML file in UTF-8, whatever encoding its byte order mark or declaration names;
// an empty result and `why` set for an encoding the program cannot read.
QByteArray xmlAsUtf8(const QByteArray& bytes, QString* why);

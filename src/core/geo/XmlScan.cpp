#include "XmlScan.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {
// Deeper than any track format nests; a file nested deeper is not one.
constexpr std::size_t kMostDepth = 256;

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool startsWith(const char* p, const char* end, std::string_view s) {
    return std::size_t(end - p) >= s.size() && std::memcmp(p, s.data(), s.size()) == 0;
}

std::string_view localName(std::string_view qualified) {
    const std::size_t colon = qualified.rfind(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

// One entity reference at the start of `s` (after its '&'): the character, and its length.
bool entity(std::string_view s, char32_t* c, std::size_t* length) {
    const std::size_t semi = s.find(';');
    if (semi == std::string_view::npos || semi > 12) return false;
    const std::string_view ref = s.substr(0, semi);
    *length = semi + 1;
    if (ref == "lt") return *c = '<', true;
    if (ref == "gt") return *c = '>', true;
    if (ref == "amp") return *c = '&', true;
    if (ref == "apos") return *c = '\'', true;
    if (ref == "quot") return *c = '"', true;
    if (ref.size() < 2 || ref[0] != '#') return false;
    const bool hex = ref[1] == 'x';
    char32_t v = 0;
    for (char d : ref.substr(hex ? 2 : 1)) {
        const int digit = d >= '0' && d <= '9'          ? d - '0'
                          : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                          : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                        : -1;
        if (digit < 0 || v > 0x10FFFF) return false;
        v = v * (hex ? 16 : 10) + char32_t(digit);
    }
    *c = v;
    return v > 0 && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF) && *length > (hex ? 3u : 2u);
}

QString decoded(std::string_view raw) {
    if (raw.find('&') == std::string_view::npos) return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    QString out;
    std::size_t from = 0;
    for (std::size_t amp; (amp = raw.find('&', from)) != std::string_view::npos;) {
        out += QString::fromUtf8(raw.data() + from, qsizetype(amp - from));
        char32_t c = 0;
        std::size_t length = 0;
        if (!entity(raw.substr(amp + 1), &c, &length)) return QString(); // checked when scanned
        out += QString::fromUcs4(&c, 1);
        from = amp + 1 + length;
    }
    return out + QString::fromUtf8(raw.data() + from, qsizetype(raw.size() - from));
}

// Every '&' in the text begins a reference the scan knows: a document without a type declares
// no other entity.
bool referencesKnown(std::string_view raw) {
    for (std::size_t amp = 0; (amp = raw.find('&', amp)) != std::string_view::npos; ++amp) {
        char32_t c = 0;
        std::size_t length = 0;
        if (!entity(raw.substr(amp + 1), &c, &length)) return false;
    }
    return true;
}
} // namespace

XmlScan::XmlScan(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

XmlScan::Token XmlScan::fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
    p_ = end_;
    return Token::Error;
}

bool XmlScan::skipPast(std::string_view end) {
    const std::string_view rest(p_, std::size_t(end_ - p_));
    const std::size_t at = rest.find(end);
    if (at == std::string_view::npos) return false;
    p_ += at + end.size();
    return true;
}

XmlScan::Token XmlScan::next() {
    if (!error_.isEmpty()) return Token::Error;
    if (doctype_) return Token::Doctype;
    if (pendingEnd_) {
        pendingEnd_ = false;
        name_ = localName(open_.back());
        open_.pop_back();
        return Token::End;
    }
    while (p_ < end_) {
        if (*p_ != '<') {
            const char* start = p_;
            p_ = std::find(p_, end_, '<');
            text_ = std::string_view(start, std::size_t(p_ - start));
            if (!referencesKnown(text_)) return fail("an entity that no document without a type declares");
            if (!open_.empty()) return Token::Text;
            if (!std::all_of(start, p_, blank)) return fail("text outside the document's element");
            continue;
        }
        if (startsWith(p_, end_, "<?")) {
            if (!skipPast("?>")) return fail("a processing instruction does not end");
        } else if (startsWith(p_, end_, "<!--")) {
            if (!skipPast("-->")) return fail("a comment does not end");
        } else if (startsWith(p_, end_, "<![CDATA[")) {
            const char* start = p_ + 9;
            if (open_.empty() || !skipPast("]]>"))
                return fail("a CDATA section outside an element or without its end");
            text_ = std::string_view(start, std::size_t(p_ - 3 - start));
            return Token::Text;
        } else if (startsWith(p_, end_, "<!DOCTYPE")) {
            doctype_ = true; // the scan ends here: nothing after a document type is read
            p_ = end_;
            return Token::Doctype;
        } else if (startsWith(p_, end_, "<!")) {
            return fail("a declaration that belongs in a document type");
        } else if (startsWith(p_, end_, "</")) {
            const char* start = p_ + 2;
            const char* close = std::find(start, end_, '>');
            if (close == end_) return fail("an end tag does not end");
            std::string_view qualified(start, std::size_t(close - start));
            while (!qualified.empty() && blank(qualified.back()))
                qualified.remove_suffix(1);
            if (open_.empty() || open_.back() != qualified)
                return fail("an element ends that did not begin there");
            open_.pop_back();
            p_ = close + 1;
            name_ = localName(qualified);
            return Token::End;
        } else {
            if (open_.empty() && rootSeen_) return fail("a second document element");
            const char* start = p_ + 1;
            const char* q = start;
            while (q < end_ && !blank(*q) && *q != '/' && *q != '>' && *q != '<' && *q != '=' && *q != '"' &&
                   *q != '\'')
                ++q;
            if (q == start) return fail("a tag without a name");
            const std::string_view qualified(start, std::size_t(q - start));
            // The attributes run to the first '>' outside quotes.
            const char* a = q;
            char quote = 0;
            while (a < end_ && (quote || *a != '>')) {
                if (quote ? *a == quote : (*a == '"' || *a == '\''))
                    quote = quote ? 0 : *a;
                else if (*a == '<')
                    return fail("a '<' inside a tag");
                ++a;
            }
            if (a == end_) return fail("a start tag does not end");
            pendingEnd_ = a > q && a[-1] == '/';
            attributes_ = std::string_view(q, std::size_t(a - q - (pendingEnd_ ? 1 : 0)));
            p_ = a + 1;
            if (!readAttributes()) return fail("attributes that are not name=\"value\" pairs");
            if (open_.size() >= kMostDepth) return fail("elements nested deeper than any track has them");
            open_.push_back(qualified);
            rootSeen_ = true;
            name_ = localName(qualified);
            return Token::Start;
        }
    }
    if (!open_.empty()) return fail("the document ends inside an element");
    if (!rootSeen_) return fail("no document element");
    return Token::Done;
}

bool XmlScan::readAttributes() {
    std::string_view s = attributes_;
    while (true) {
        while (!s.empty() && blank(s.front()))
            s.remove_prefix(1);
        if (s.empty()) return true;
        const std::size_t eq = s.find('=');
        if (eq == 0 || eq == std::string_view::npos) return false;
        std::size_t v = eq + 1;
        while (v < s.size() && blank(s[v]))
            ++v;
        if (v >= s.size() || (s[v] != '"' && s[v] != '\'')) return false;
        const std::size_t close = s.find(s[v], v + 1);
        if (close == std::string_view::npos || !referencesKnown(s.substr(v + 1, close - v - 1))) return false;
        s.remove_prefix(close + 1);
        if (!s.empty() && !blank(s.front())) return false;
    }
}

std::string_view XmlScan::rawAttribute(std::string_view local) const {
    std::string_view s = attributes_;
    while (true) {
        while (!s.empty() && blank(s.front()))
            s.remove_prefix(1);
        const std::size_t eq = s.find('=');
        if (s.empty() || eq == std::string_view::npos) return {};
        std::string_view name = s.substr(0, eq);
        while (!name.empty() && blank(name.back()))
            name.remove_suffix(1);
        std::size_t v = eq + 1;
        while (v < s.size() && blank(s[v]))
            ++v;
        const std::size_t close = s.find(s[v], v + 1);
        if (localName(name) == local) return s.substr(v + 1, close - v - 1);
        s.remove_prefix(close + 1);
    }
}

QString XmlScan::attribute(std::string_view local) const {
    return decoded(rawAttribute(local));
}

QString XmlScan::text() const {
    return cdata_ ? QString::fromUtf8(text_.data(), qsizetype(text_.size())) : decoded(text_);
}

bool XmlScan::elementText(std::string& out) {
    out.clear();
    const std::size_t depth = open_.size();
    if (pendingEnd_) return next() == Token::End;
    for (Token t; (t = next()) != Token::Error;) {
        if (t == Token::Text) {
            if (cdata_ || text_.find('&') == std::string_view::npos)
                out.append(text_);
            else
                out += text().toStdString();
        }
        if (t == Token::End && open_.size() < depth) return true;
        if (t == Token::Done || t == Token::Doctype) return false;
    }
    return false;
}

QByteArray xmlAsUtf8(const QByteArray& bytes, QString* why) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return bytes.mid(3);
    std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes);
    QString name;
    if (bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decode(*bom);
        return QString(decode(bytes)).toUtf8();
    }
    static const QRegularExpression declared(
        R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([A-Za-z0-9._:-]{1,40})["'])");
    const QRegularExpressionMatch m = declared.match(QString::fromLatin1(bytes.left(256)));
    if (!m.hasMatch()) return bytes;
    name = m.captured(1).toLower();
    if (name == u"utf-8" || name == u"utf8" || name == u"us-ascii" || name == u"ascii") return bytes;
    QStringDecoder decode(name.toLatin1().constData());
    if (!decode.isValid()) {
        *why = "its encoding " + name + " is not one the program reads";
        return {};
    }
    return QString(decode(bytes)).toUtf8();
}

#include "ShellCommandReader.h"

namespace velmora {

namespace {

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool isAllDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The reading of one script: a cursor, the command and word under way, and what is still to skip.
class ScriptCursor {
public:
    explicit ScriptCursor(const QString &script) : m_s(script) {}

    QList<ShellCommand> read()
    {
        while (!atEnd()) {
            const QChar c = m_s[m_i];
            if (c == u'\\') {
                if (peek(1) == u'\n') { // a continuation line: as if the two lines were one
                    advance();
                    advance();
                    continue;
                }
                startWord();
                advance();
                if (!atEnd()) {
                    m_word.text += m_s[m_i];
                    advance();
                }
            } else if (c == u'\'') {
                startWord();
                readSingleQuoted();
            } else if (c == u'"') {
                startWord();
                readDoubleQuoted();
            } else if (c == u'$') {
                startWord();
                readDollar(false);
            } else if (c == u'`') {
                startWord();
                readBackquoted();
            } else if (c == u'#' && !m_inWord) {
                while (!atEnd() && m_s[m_i] != u'\n')
                    advance();
            } else if (c == u' ' || c == u'\t' || c == u'\r') {
                endWord();
                advance();
            } else if (c == u'\n') {
                endCommand();
                advance();
                skipHereDocuments();
            } else if (c == u';' || c == u'&' || c == u'|' || c == u'(' || c == u')') {
                endCommand();
                advance();
            } else if (c == u'<' || c == u'>') {
                readRedirection();
            } else {
                // Only unquoted: a quoted "~" or "*" is passed on as written.
                if ((c == u'~' && !m_inWord) || c == u'*' || c == u'?' || c == u'[')
                    m_word.expands = true;
                startWord();
                m_word.text += c;
                advance();
            }
        }
        endCommand();
        return m_commands;
    }

private:
    bool atEnd() const { return m_i >= m_s.size(); }
    QChar peek(qsizetype offset) const { return m_i + offset < m_s.size() ? m_s[m_i + offset] : QChar(); }
    void advance()
    {
        if (m_s[m_i] == u'\n')
            ++m_line;
        ++m_i;
    }

    void startWord()
    {
        if (m_inWord)
            return;
        m_inWord = true;
        if (!m_commandStarted) {
            m_commandStarted = true;
            m_command.line = m_line;
            m_start = m_i;
        }
    }

    void endWord()
    {
        if (!m_inWord)
            return;
        m_inWord = false;
        m_end = m_i;
        ShellCommand::Word word = std::move(m_word);
        m_word = {};
        if (m_takeDelimiter) {
            m_hereDocuments.append({word.text, m_stripTabs});
            m_takeDelimiter = false;
        } else if (m_discardNext) {
            m_discardNext = false;
        } else {
            m_command.words.append(std::move(word));
        }
    }

    void endCommand()
    {
        endWord();
        if (m_commandStarted && (!m_command.words.isEmpty() || !m_command.problem.isEmpty())) {
            m_command.text =
                m_s.mid(m_start, m_end - m_start).replace(QLatin1String("\\\n"), QLatin1String(" "));
            m_commands.append(std::move(m_command));
        }
        m_command = {};
        m_commandStarted = false;
        m_discardNext = false;
        m_takeDelimiter = false;
    }

    void unclosed(const QString &what)
    {
        m_command.problem = what;
        m_i = m_s.size();
    }

    void readSingleQuoted()
    {
        advance();
        while (!atEnd() && m_s[m_i] != u'\'') {
            m_word.text += m_s[m_i];
            advance();
        }
        if (atEnd())
            return unclosed(QStringLiteral("a single quote is not closed"));
        advance();
    }

    void readDoubleQuoted()
    {
        advance();
        while (!atEnd() && m_s[m_i] != u'"') {
            const QChar c = m_s[m_i];
            if (c == u'\\') {
                const QChar next = peek(1);
                if (next == u'\n') {
                    advance();
                    advance();
                } else if (next == u'$' || next == u'`' || next == u'"' || next == u'\\') {
                    advance();
                    m_word.text += next;
                    advance();
                } else { // a backslash before anything else stays in the word
                    m_word.text += c;
                    advance();
                }
            } else if (c == u'$') {
                readDollar(true);
            } else if (c == u'`') {
                readBackquoted();
            } else {
                m_word.text += c;
                advance();
            }
        }
        if (atEnd())
            return unclosed(QStringLiteral("a double quote is not closed"));
        advance();
    }

    // Copies what the shell would expand as written, and marks the word.
    void readDollar(bool inDoubleQuotes)
    {
        const QChar next = peek(1);
        const auto copy = [this] {
            m_word.text += m_s[m_i];
            advance();
        };
        if (next == u'(' || next == u'{') {
            const QChar open = next;
            const QChar close = open == u'(' ? u')' : u'}';
            m_word.expands = true;
            copy();
            int depth = 0;
            while (!atEnd()) {
                const QChar c = m_s[m_i];
                if (c == u'\\' && m_i + 1 < m_s.size()) {
                    copy();
                } else if (c == u'\'' && open == u'(') {
                    copy();
                    while (!atEnd() && m_s[m_i] != u'\'')
                        copy();
                    if (atEnd())
                        break;
                } else if (c == open) {
                    ++depth;
                } else if (c == close && --depth == 0) {
                    copy();
                    return;
                }
                copy();
            }
            return unclosed(open == u'(' ? QStringLiteral("a $( is not closed")
                                         : QStringLiteral("a ${ is not closed"));
        }
        if (next == u'\'' && !inDoubleQuotes) {
            m_word.expands = true;
            copy();
            copy();
            while (!atEnd() && m_s[m_i] != u'\'') {
                if (m_s[m_i] == u'\\' && m_i + 1 < m_s.size())
                    copy();
                copy();
            }
            if (atEnd())
                return unclosed(QStringLiteral("a single quote is not closed"));
            copy();
            return;
        }
        if (isNameCharacter(next)) {
            m_word.expands = true;
            copy();
            while (!atEnd() && isNameCharacter(m_s[m_i]))
                copy();
            return;
        }
        if (!next.isNull() && QStringLiteral("?#@*!$-").contains(next)) {
            m_word.expands = true;
            copy();
            copy();
            return;
        }
        copy(); // a lone "$" is itself
    }

    void readBackquoted()
    {
        m_word.expands = true;
        m_word.text += m_s[m_i];
        advance();
        while (!atEnd() && m_s[m_i] != u'`') {
            if (m_s[m_i] == u'\\' && m_i + 1 < m_s.size()) {
                m_word.text += m_s[m_i];
                advance();
            }
            m_word.text += m_s[m_i];
            advance();
        }
        if (atEnd())
            return unclosed(QStringLiteral("a backquote is not closed"));
        m_word.text += m_s[m_i];
        advance();
    }

    // "2>/dev/null", ">&2", "<<EOF": the command never sees any of it.
    void readRedirection()
    {
        if (m_inWord && isAllDigits(m_word.text)) {
            m_inWord = false; // the descriptor's number belongs to the redirection
            m_word = {};
        } else {
            endWord();
        }
        const QChar c = m_s[m_i];
        advance();
        if (c == u'<' && !atEnd() && m_s[m_i] == u'<') {
            advance();
            m_stripTabs = !atEnd() && m_s[m_i] == u'-';
            if (m_stripTabs)
                advance();
            m_takeDelimiter = true;
            return;
        }
        if (!atEnd() &&
            (m_s[m_i] == u'>' || m_s[m_i] == u'&' || m_s[m_i] == u'|' || (c == u'<' && m_s[m_i] == u'>')))
            advance();
        m_discardNext = true;
    }

    // The bodies of the here-documents opened on the line just ended: text for a command, not commands.
    void skipHereDocuments()
    {
        for (const HereDocument &document : std::as_const(m_hereDocuments)) {
            while (!atEnd()) {
                const qsizetype newline = m_s.indexOf(u'\n', m_i);
                const qsizetype end = newline < 0 ? m_s.size() : newline;
                QString line = m_s.mid(m_i, end - m_i);
                if (document.stripTabs) {
                    while (line.startsWith(u'\t'))
                        line.remove(0, 1);
                }
                while (m_i < end)
                    advance();
                if (!atEnd())
                    advance();
                if (line == document.delimiter)
                    break;
            }
        }
        m_hereDocuments.clear();
    }

    struct HereDocument {
        QString delimiter;
        bool stripTabs = false;
    };

    const QString &m_s;
    qsizetype m_i = 0;
    int m_line = 1;
    QList<ShellCommand> m_commands;
    ShellCommand m_command;
    bool m_commandStarted = false;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    ShellCommand::Word m_word;
    bool m_inWord = false;
    bool m_discardNext = false;
    bool m_takeDelimiter = false;
    bool m_stripTabs = false;
    QList<HereDocument> m_hereDocuments;
};

} // namespace

QList<ShellCommand> ShellCommandReader::read(const QString &script)
{
    return ScriptCursor(script).read();
}

} // namespace velmora

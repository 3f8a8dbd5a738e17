#include "platform/errors/message_template.h"

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>

#include "platform/errors/insert_format.h"
#include "platform/errors/message_output.h"

namespace zelm::platform {

namespace {

constexpr DWORD kNoError = ERROR_SUCCESS;

class TemplateExpander {
public:
    TemplateExpander(std::string_view pattern, const ExpandOptions& options, MessageArguments& arguments)
        : m_pattern(pattern), m_options(options), m_arguments(arguments), m_output(kMaxMessageLength)
    {
    }

    bool Run(std::string& text, DWORD& error)
    {
        m_pos = 0;
        while (m_pos < m_pattern.size() && !m_stopped && m_error == kNoError) Step();
        if (m_error == kNoError && !m_output.Finish(m_options.lineWidth, text)) m_error = ERROR_MORE_DATA;
        error = m_error;
        return m_error == kNoError;
    }

private:
    void Step()
    {
        char ch = m_pattern[m_pos];
        if (ch == '%') return Escape();
        if (m_options.lineWidth != 0 && (ch == '\r' || ch == '\n')) return LineBreakAsSpace();
        Emit(m_pattern.substr(m_pos++, 1));
    }

    // With a line width, the template's own line breaks (CR, LF or CR LF) are spaces.
    void LineBreakAsSpace()
    {
        if (m_pattern[m_pos] == '\r' && m_pos + 1 < m_pattern.size() && m_pattern[m_pos + 1] == '\n') ++m_pos;
        ++m_pos;
        Emit(" ");
    }

    void Escape()
    {
        if (m_pos + 1 == m_pattern.size()) {  // a lone final '%' stands for itself
            Emit(m_pattern.substr(m_pos++, 1));
            return;
        }
        char next = m_pattern[m_pos + 1];
        if (next >= '1' && next <= '9') return Insert();
        m_pos += 2;
        switch (next) {
            case '0': m_stopped = true; return;  // the end of the message, without a line break
            case 'n': return Emit("\r\n");
            case 'r': return Emit("\r");
            case 't': return Emit("\t");
            default: break;
        }
        // Without inserts only the line escapes above are read; the rest stays as written.
        if (m_options.ignoreInserts) return Emit(m_pattern.substr(m_pos - 2, 2));
        if (next == ' ') {
            if (!m_output.AppendHardSpace()) m_error = ERROR_MORE_DATA;
            return;
        }
        Emit(m_pattern.substr(m_pos - 1, 1));  // %% %. %! and any other character
    }

    void Insert()
    {
        std::size_t start = m_pos;
        int number = m_pattern[m_pos + 1] - '0';
        m_pos += 2;
        if (m_pos < m_pattern.size() && m_pattern[m_pos] >= '0' && m_pattern[m_pos] <= '9')
            number = number * 10 + (m_pattern[m_pos++] - '0');

        std::string_view specText = "s";
        bool hasSpec = false;
        if (m_pos < m_pattern.size() && m_pattern[m_pos] == '!') {
            std::size_t close = m_pattern.find('!', m_pos + 1);
            if (close != std::string_view::npos) {
                specText = m_pattern.substr(m_pos + 1, close - m_pos - 1);
                hasSpec = true;
            }
        }
        if (m_options.ignoreInserts || !m_arguments.Present()) {
            if (hasSpec) m_pos += specText.size() + 2;
            return Emit(m_pattern.substr(start, m_pos - start));
        }
        if (m_pos < m_pattern.size() && m_pattern[m_pos] == '!' && !hasSpec) {
            m_error = ERROR_INVALID_PARAMETER;  // an unclosed format
            return;
        }
        if (hasSpec) m_pos += specText.size() + 2;
        auto spec = ParseInsertSpec(specText);
        if (!spec) {
            m_error = ERROR_INVALID_PARAMETER;
            return;
        }
        auto text = FormatInsert(*spec, m_arguments, number, m_output.Room());
        if (!text) {
            m_error = ERROR_MORE_DATA;
            return;
        }
        Emit(*text);
    }

    void Emit(std::string_view text)
    {
        if (!m_output.Append(text)) m_error = ERROR_MORE_DATA;
    }

    std::string_view m_pattern;
    const ExpandOptions& m_options;
    MessageArguments& m_arguments;
    MessageOutput m_output;
    std::size_t m_pos = 0;
    bool m_stopped = false;
    DWORD m_error = kNoError;
};

}  // namespace

bool ExpandMessage(std::string_view pattern, const ExpandOptions& options, MessageArguments& arguments,
                   std::string& text, DWORD& error)
{
    return TemplateExpander(pattern, options, arguments).Run(text, error);
}

}  // namespace zelm::platform

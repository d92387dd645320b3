#pragma once

#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

// While it lives, takes what is written to standard output and standard
// error, in the order it is written, so a target can check both streams and
// how their lines interleave.
class CapturedOutput {
public:
    struct Piece {
        bool error;  // standard error, else standard output
        std::string text;
        bool operator==(const Piece& other) const
        {
            return error == other.error && text == other.text;
        }
    };

    CapturedOutput()
        : m_out(*this, false), m_error(*this, true),
          m_savedOut(std::cout.rdbuf(&m_out)), m_savedError(std::cerr.rdbuf(&m_error))
    {
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;
    ~CapturedOutput()
    {
        std::cout.rdbuf(m_savedOut);
        std::cerr.rdbuf(m_savedError);
    }

    // Successive writes to one stream form one piece.
    const std::vector<Piece>& Pieces() const { return m_pieces; }

    std::string Text(bool error) const
    {
        std::string text;
        for (const Piece& piece : m_pieces) {
            if (piece.error == error)
                text += piece.text;
        }
        return text;
    }

private:
    class Stream : public std::streambuf {
    public:
        Stream(CapturedOutput& owner, bool error) : m_owner(owner), m_isError(error) {}

    protected:
        int_type overflow(int_type c) override
        {
            if (!traits_type::eq_int_type(c, traits_type::eof())) {
                char byte = traits_type::to_char_type(c);
                m_owner.Append(m_isError, &byte, 1);
            }
            return traits_type::not_eof(c);
        }
        std::streamsize xsputn(const char* text, std::streamsize count) override
        {
            m_owner.Append(m_isError, text, static_cast<std::size_t>(count));
            return count;
        }

    private:
        CapturedOutput& m_owner;
        bool m_isError;
    };

    void Append(bool error, const char* text, std::size_t count)
    {
        if (count == 0)
            return;
        if (m_pieces.empty() || m_pieces.back().error != error)
            m_pieces.push_back(Piece{error, std::string()});
        m_pieces.back().text.append(text, count);
    }

    std::vector<Piece> m_pieces;
    Stream m_out;
    Stream m_error;
    std::streambuf* m_savedOut;
    std::streambuf* m_savedError;
};

// A readable form of the pieces for a failure message.
inline std::string Describe(const std::vector<CapturedOutput::Piece>& pieces)
{
    std::string text;
    for (const CapturedOutput::Piece& piece : pieces)
        text += (piece.error ? "  err: " : "  out: ") + piece.text + "|\n";
    return text;
}

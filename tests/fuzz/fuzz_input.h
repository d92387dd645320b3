#pragma once

// How the fuzz targets read their input, and how they report a broken
// property: print what was expected and abort, so libFuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "time_zone.h"

// Zones with whole- and half-hour offsets, east and west, with and without
// daylight saving, in both hemispheres. No zone moves its clock by more than
// an hour, so 01:00 on a day stays on that day.
inline const char* const kFuzzZones[] = {
    "UTC0",
    "EST5EDT,M3.2.0,M11.1.0",
    "XXX-1",
    "CET-1CEST,M3.5.0,M10.5.0/3",
    "NZST-12NZDT,M9.5.0,M4.1.0/3",
    "<-12>12",
    "<+14>-14",
    "IST-5:30",
    "LHST-10:30LHDT-11,M10.1.0,M4.1.0",
    "<-03>3<-02>,M3.5.0/-2,M10.5.0/-1",
};

// Moments at which a run may happen: winter and summer in both hemispheres,
// and the ends of the range.
inline const std::int64_t kFuzzMoments[] = {
    1012392000,  // 30 January 2002, 12:00 UTC
    1025784000,  // 4 July 2002, 12:00 UTC
    1,
    0x7FFFFFFF,
    1768478400,  // 15 January 2026, 12:00 UTC
    1784116800,  // 15 July 2026, 12:00 UTC
};

template <typename T, std::size_t N>
const T& Pick(const T (&table)[N], std::uint8_t selector)
{
    return table[selector % N];
}

// Sets the zone only when it changes: tzset is not free.
inline void UseFuzzZone(std::uint8_t selector)
{
    static const char* current = nullptr;
    const char* zone = Pick(kFuzzZones, selector);
    if (zone != current) {
        UseTimeZone(zone);
        current = zone;
    }
}

// Consumes the input from the front.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }

    std::uint32_t Word()  // little-endian; missing bytes are 0
    {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<std::uint32_t>(Byte()) << shift;
        return value;
    }

    std::string Rest()
    {
        std::string rest(reinterpret_cast<const char*>(m_data), m_size);
        m_size = 0;
        return rest;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// The rest of the input as the arguments after the program path, one per
// line. An argument ends at its first NUL, as it would in argv.
class FuzzArguments {
public:
    explicit FuzzArguments(const std::string& text)
    {
        m_texts.push_back("vardun");
        std::size_t start = 0;
        while (!text.empty() && start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            m_texts.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        for (std::string& argument : m_texts)
            m_pointers.push_back(&argument[0]);
        m_pointers.push_back(nullptr);
    }

    int Count() const { return static_cast<int>(m_texts.size()); }
    char** Vector() { return m_pointers.data(); }
    const char* At(int index) const { return m_pointers[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::string> m_texts;
    std::vector<char*> m_pointers;
};

inline bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

inline void Require(bool holds, const char* property, const std::string& detail = std::string())
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.c_str());
    std::abort();
}

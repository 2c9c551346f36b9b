#include "i18n/catalogue.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace {
constexpr uchar magic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                             0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};

enum BlockTag : uchar {
    Contexts = 0x2f,
    Hashes = 0x42,
    Messages = 0x69,
    NumerusRules = 0x88,
    Dependencies = 0x96,
    Language = 0xa7,
};

enum FieldTag : uchar {
    End = 1,
    SourceText16,
    Translation,
    Context16,
    Obsolete1,
    SourceText,
    Context,
    Comment,
    Obsolete2,
};

// UTF-16 texts carry this length when they are null: no text follows.
constexpr quint32 nullText = 0xffffffff;

struct Block
{
    const uchar *data = nullptr;
    quint32 size = 0;
    bool present = false;
};

quint32 read32(const uchar *p) { return qFromBigEndian<quint32>(p); }
quint16 read16(const uchar *p) { return qFromBigEndian<quint16>(p); }

// The messages block is a run of records, each a run of fields closed by
// End. Marks where each record starts: only there may a hash entry point.
bool readRecords(const Block &messages, std::vector<bool> &recordStarts)
{
    const uchar *data = messages.data;
    const quint32 size = messages.size;
    quint32 pos = 0;
    while (pos < size) {
        recordStarts[pos] = true;
        for (;;) {
            if (pos >= size)
                return false;
            const uchar tag = data[pos++];
            if (tag == End)
                break;
            if (tag < SourceText16 || tag > Obsolete2)
                return false;
            if (size - pos < 4)
                return false;
            if (tag == Obsolete1 || tag == Obsolete2) {
                pos += 4;
                continue;
            }
            const quint32 length = read32(data + pos);
            pos += 4;
            const bool utf16 = tag == Translation || tag == SourceText16 || tag == Context16;
            if (utf16 && length == nullText)
                continue;
            if ((utf16 && length % 2 != 0) || length > size - pos)
                return false;
            pos += length;
        }
    }
    return true;
}

bool hashesPointAtRecords(const Block &hashes, const Block &messages)
{
    if (!hashes.present)
        return true;
    // A lookup reads the offset that follows a hash: a half entry reads past.
    if (hashes.size % 8 != 0)
        return false;
    std::vector<bool> recordStarts(messages.size, false);
    if (!readRecords(messages, recordStarts))
        return false;
    for (quint32 entry = 0; entry < hashes.size; entry += 8) {
        const quint32 offset = read32(hashes.data + entry + 4);
        if (offset >= messages.size || !recordStarts[offset])
            return false;
    }
    return true;
}

// A table of 16-bit bucket offsets, then chains of length-prefixed context
// names, each chain closed by a zero length.
bool contextsHoldTogether(const Block &contexts)
{
    if (!contexts.present)
        return true;
    const uchar *data = contexts.data;
    const quint32 size = contexts.size;
    if (size < 2)
        return false;
    const quint32 buckets = read16(data);
    // The bucket of a context is its hash modulo this count.
    if (buckets == 0 || size < 2 + 2 * buckets)
        return false;
    const quint32 chains = 2 + 2 * buckets;
    // Chains may share their tails; each byte is walked once.
    std::vector<bool> walked(size, false);
    for (quint32 bucket = 0; bucket < buckets; ++bucket) {
        const quint32 offset = read16(data + 2 + 2 * bucket);
        if (offset == 0)
            continue;
        quint32 pos = chains + 2 * offset;
        for (;;) {
            if (pos >= size)
                return false;
            if (walked[pos])
                break;
            walked[pos] = true;
            const quint32 length = data[pos];
            if (length == 0)
                break;
            if (length > size - pos - 1)
                return false;
            pos += 1 + length;
        }
    }
    return true;
}

// The same rules as QTranslator's own check, so that a catalogue that holds
// together also loads.
bool numerusRulesHoldTogether(const Block &rules)
{
    enum : uchar { Equal = 1, Less, LessOrEqual, Between, OperatorMask = 0x07,
                   And = 0xfd, Or = 0xfe, NewRule = 0xff };
    const uchar *data = rules.data;
    const quint32 size = rules.size;
    if (size == 0)
        return true;
    quint32 pos = 0;
    do {
        const uchar opcode = data[pos];
        if (opcode & 0x80)
            return false;
        if (++pos == size)
            return false;
        ++pos;
        switch (opcode & OperatorMask) {
        case Equal:
        case Less:
        case LessOrEqual:
            break;
        case Between:
            if (pos == size)
                return false;
            ++pos;
            break;
        default:
            return false;
        }
        if (pos == size)
            return true;
    } while ((data[pos] == And || data[pos] == Or || data[pos] == NewRule) && ++pos != size);
    return false;
}
}

bool isSoundCatalogue(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype size = bytes.size();
    if (size < qsizetype(sizeof magic) || std::memcmp(data, magic, sizeof magic) != 0)
        return false;
    // Offsets and lengths in the file are 32-bit.
    if (size > qsizetype(0x7fffffff))
        return false;

    Block contexts, hashes, messages, numerusRules, language;
    qsizetype pos = sizeof magic;
    // Blocks follow one another up to the last byte, as lrelease writes them.
    while (pos < size) {
        if (size - pos < 5)
            return false;
        const uchar tag = data[pos];
        const quint32 length = read32(data + pos + 1);
        pos += 5;
        if (length == 0 || length > quint64(size - pos))
            return false;
        Block *block = nullptr;
        switch (tag) {
        case Contexts: block = &contexts; break;
        case Hashes: block = &hashes; break;
        case Messages: block = &messages; break;
        case NumerusRules: block = &numerusRules; break;
        case Language: block = &language; break;
        case Dependencies: // other catalogues, which QTranslator would load unchecked
        default: return false;
        }
        if (block->present)
            return false;
        *block = {data + pos, length, true};
        pos += length;
    }
    return hashesPointAtRecords(hashes, messages) && contextsHoldTogether(contexts)
        && numerusRulesHoldTogether(numerusRules);
}

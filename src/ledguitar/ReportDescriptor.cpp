#include "ledguitar/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace chordalis {

namespace {

// Item types and tags of the short items (HID 1.11, 6.2.2).
enum ItemType { Main = 0, Global = 1, Local = 2 };
enum MainTag { InputTag = 0x8, OutputTag = 0x9, CollectionTag = 0xA, EndTag = 0xC };
enum GlobalTag {
    UsagePageTag = 0x0,
    ReportSizeTag = 0x7,
    ReportIdTag = 0x8,
    ReportCountTag = 0x9,
    PushTag = 0xA,
    PopTag = 0xB,
};
enum LocalTag { UsageTag = 0x0, UsageMinTag = 0x1, UsageMaxTag = 0x2 };

// Bits of an Input or Output item (HID 1.11, 6.2.2.5).
constexpr uint32_t ConstantFlag = 0x001;
constexpr uint32_t VariableFlag = 0x002; // clear: an array

constexpr int MaxCollectionDepth = 64;
constexpr int MaxPushDepth = 8;
constexpr int MaxReportSizeBits = 256; // wider than this is no real field
constexpr int MaxValueBits = 32;       // what a field can give as a whole number

struct GlobalState {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportId = 0;
    uint32_t reportCount = 0;
};

// A usage as given: 1- or 2-byte usages take the usage page in force at the main item.
struct LocalUsage {
    uint32_t value = 0;
    bool extended = false; // a 4-byte usage with its own page in the high half
};

struct LocalState {
    std::vector<LocalUsage> usages;
    std::optional<LocalUsage> usageMinimum;
};

class Parser {
public:
    explicit Parser(const QByteArray& bytes) : m_bytes(bytes) {}

    std::optional<ReportDescriptor> run(QString& error) {
        if (m_bytes.size() > MaxDescriptorBytes)
            return fail(error, QStringLiteral("the descriptor is %1 bytes long, more than %2")
                                   .arg(m_bytes.size())
                                   .arg(MaxDescriptorBytes));
        int pos = 0;
        while (pos < m_bytes.size()) {
            const uint8_t prefix = uint8_t(m_bytes[pos]);
            if (prefix == 0xFE) { // a long item: skipped, as no usage page defines one
                if (pos + 2 >= m_bytes.size())
                    return fail(error, cutShort(pos));
                const int length = uint8_t(m_bytes[pos + 1]);
                pos += 3 + length;
                if (pos > m_bytes.size())
                    return fail(error, cutShort(pos));
                continue;
            }
            const int size = std::array{0, 1, 2, 4}[prefix & 0x3];
            if (pos + 1 + size > m_bytes.size())
                return fail(error, cutShort(pos));
            uint32_t data = 0;
            for (int i = 0; i < size; ++i)
                data |= uint32_t(uint8_t(m_bytes[pos + 1 + i])) << (8 * i);
            const int type = (prefix >> 2) & 0x3;
            const int tag = prefix >> 4;
            QString fault;
            if (type == Main)
                fault = mainItem(tag, data);
            else if (type == Global)
                fault = globalItem(tag, data);
            else if (type == Local)
                fault = localItem(tag, data, size);
            // Type 3 is reserved: ignored.
            if (!fault.isEmpty())
                return fail(error, QStringLiteral("%1 (at byte %2)").arg(fault).arg(pos));
            pos += 1 + size;
        }
        if (m_depth != 0)
            return fail(error, QStringLiteral("%1 collection(s) are never closed").arg(m_depth));
        return std::move(m_result);
    }

private:
    static std::optional<ReportDescriptor> fail(QString& error, const QString& why) {
        error = why;
        return std::nullopt;
    }
    static QString cutShort(int pos) {
        return QStringLiteral("the descriptor ends inside the item at byte %1").arg(pos);
    }

    QString globalItem(int tag, uint32_t data) {
        switch (tag) {
        case UsagePageTag:
            m_global.usagePage = data & 0xFFFF;
            break;
        case ReportSizeTag:
            if (data > uint32_t(MaxReportSizeBits))
                return QStringLiteral("a report size of %1 bits").arg(data);
            m_global.reportSize = data;
            break;
        case ReportIdTag:
            if (data == 0 || data > 255)
                return QStringLiteral("the report id %1 (ids are 1..255)").arg(data);
            m_global.reportId = data;
            break;
        case ReportCountTag:
            if (data > uint32_t(MaxReportCount))
                return QStringLiteral("a report count of %1").arg(data);
            m_global.reportCount = data;
            break;
        case PushTag:
            if (m_stack.size() >= size_t(MaxPushDepth))
                return QStringLiteral("more than %1 nested pushes").arg(MaxPushDepth);
            m_stack.push_back(m_global);
            break;
        case PopTag:
            if (m_stack.empty())
                return QStringLiteral("a pop without a push");
            m_global = m_stack.back();
            m_stack.pop_back();
            break;
        default: // ranges, units, reserved: not needed to find a field's bits
            break;
        }
        return {};
    }

    QString localItem(int tag, uint32_t data, int size) {
        const LocalUsage usage{size == 4 ? data : data & 0xFFFF, size == 4};
        switch (tag) {
        case UsageTag:
            if (m_local.usages.size() >= size_t(MaxFields))
                return QStringLiteral("more than %1 usages for one item").arg(MaxFields);
            m_local.usages.push_back(usage);
            break;
        case UsageMinTag:
            m_local.usageMinimum = usage;
            break;
        case UsageMaxTag: {
            if (!m_local.usageMinimum)
                return QStringLiteral("a usage maximum without a usage minimum");
            const LocalUsage low = *m_local.usageMinimum;
            m_local.usageMinimum.reset();
            // A range stays within one page: the low 16 bits count.
            const uint32_t first = low.value & 0xFFFF;
            const uint32_t last = usage.value & 0xFFFF;
            if (last < first)
                return QStringLiteral("the usage range %1..%2 runs backwards").arg(first).arg(last);
            if (m_local.usages.size() + (last - first + 1) > size_t(MaxFields))
                return QStringLiteral("the usage range %1..%2 is too long").arg(first).arg(last);
            for (uint32_t u = first; u <= last; ++u)
                m_local.usages.push_back({(low.value & 0xFFFF0000u) | u, low.extended});
            break;
        }
        default: // designators, strings, delimiters: not needed to find a field's bits
            break;
        }
        return {};
    }

    QString mainItem(int tag, uint32_t data) {
        QString fault;
        switch (tag) {
        case CollectionTag:
            if (++m_depth > MaxCollectionDepth)
                fault = QStringLiteral("collections nested deeper than %1").arg(MaxCollectionDepth);
            break;
        case EndTag:
            if (--m_depth < 0)
                fault = QStringLiteral("an end of collection without a collection");
            break;
        case InputTag:
            fault = dataItem(HidReportType::Input, data);
            break;
        case OutputTag:
            fault = dataItem(HidReportType::Output, data);
            break;
        default: // feature items describe reports of their own, which the guitar has none of
            break;
        }
        m_local = {}; // local items last until the next main item
        return fault;
    }

    // The usage of a 1- or 2-byte usage takes the page of the item.
    std::pair<int, int> resolve(const LocalUsage& u) const {
        if (u.extended)
            return {int(u.value >> 16), int(u.value & 0xFFFF)};
        return {int(m_global.usagePage), int(u.value)};
    }

    HidReport& reportFor(HidReportType type) {
        const int id = int(m_global.reportId);
        for (HidReport& r : m_result.reports) {
            if (r.type == type && r.reportId == id)
                return r;
        }
        m_result.reports.push_back({type, id, 0});
        return m_result.reports.back();
    }

    QString dataItem(HidReportType type, uint32_t flags) {
        const int size = int(m_global.reportSize);
        const int count = int(m_global.reportCount);
        HidReport& report = reportFor(type);
        const int start = report.bitLength;
        if (start + size * count > MaxReportBytes * 8)
            return QStringLiteral("a report longer than %1 bytes").arg(MaxReportBytes);
        report.bitLength = start + size * count;
        if ((flags & ConstantFlag) || !(flags & VariableFlag) || size == 0 || size > MaxValueBits ||
            count == 0)
            return {};
        if (m_result.fields.size() + size_t(count) > size_t(MaxFields))
            return QStringLiteral("more than %1 fields").arg(MaxFields);
        const auto& usages = m_local.usages;
        for (int i = 0; i < count; ++i) {
            HidField f{type, int(m_global.reportId),  start + i * size,
                       size, int(m_global.usagePage), 0};
            // More fields than usages: the last usage repeats.
            if (!usages.empty())
                std::tie(f.usagePage, f.usage) =
                    resolve(usages[std::min(size_t(i), usages.size() - 1)]);
            m_result.fields.push_back(f);
        }
        return {};
    }

    const QByteArray& m_bytes;
    ReportDescriptor m_result;
    GlobalState m_global;
    LocalState m_local;
    std::vector<GlobalState> m_stack;
    int m_depth = 0;
};

} // namespace

const HidReport* ReportDescriptor::report(HidReportType type, int reportId) const {
    for (const HidReport& r : reports) {
        if (r.type == type && r.reportId == reportId)
            return &r;
    }
    return nullptr;
}

std::optional<ReportDescriptor> parseReportDescriptor(const QByteArray& bytes, QString* error) {
    QString why;
    auto result = Parser(bytes).run(why);
    if (error)
        *error = why;
    return result;
}

uint32_t extractBits(const QByteArray& data, int bitOffset, int bitSize) {
    uint32_t value = 0;
    for (int i = 0; i < bitSize && i < 32; ++i) {
        const int bit = bitOffset + i;
        const int byte = bit / 8;
        if (bit < 0 || byte >= data.size())
            break;
        if (uint8_t(data[byte]) & (1u << (bit % 8)))
            value |= 1u << i;
    }
    return value;
}

void insertBits(QByteArray& data, int bitOffset, int bitSize, uint32_t value) {
    for (int i = 0; i < bitSize && i < 32; ++i) {
        const int bit = bitOffset + i;
        const int byte = bit / 8;
        if (bit < 0 || byte >= data.size())
            break;
        const auto mask = uint8_t(1u << (bit % 8));
        if (value & (1u << i))
            data[byte] = char(uint8_t(data[byte]) | mask);
        else
            data[byte] = char(uint8_t(data[byte]) & ~mask);
    }
}

} // namespace chordalis

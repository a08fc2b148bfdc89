#include "ledguitar/ReportDescriptor.h"

#include "../SoundHelpers.h"
#include "ledguitar/HidAgent.h"

using namespace chordalis;

namespace {

using soundtest::bytes;

// A boot keyboard: eight modifier bits, a reserved byte, six key slots (an array of usages
// 0..0x65); five LED bits and three bits of padding out.
const QByteArray Keyboard = QByteArray::fromHex(
    "05010906a101050719e029e7150025017501950881029501750881019505750105081901290591029501"
    "7503910195067508150025650507190029658100c0");

// A game pad on report 1: 16 buttons, X and Y of -127..127 (physical 0..255), a hat switch with
// a null state (physical 0..315 degrees), four bits of padding.
const QByteArray GamePad = QByteArray::fromHex(
    "05010905a1018501050919012910150025017501951081020501093009311581257f350046ff00750895"
    "0281020939150025073500463b016514750495018142750495018103c0");

const HidField* findField(const ReportDescriptor& d, HidReportType type, int page, int usage) {
    for (const HidField& f : d.fields) {
        if (f.type == type && f.usagePage == page && f.usage == usage)
            return &f;
    }
    return nullptr;
}

} // namespace

TEST(ReportDescriptor, AGamePadsNumberedReport) {
    const auto d = parseReportDescriptor(GamePad);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->reports.size(), 1u);
    EXPECT_EQ(d->reports[0].reportId, 1);
    EXPECT_EQ(d->reports[0].byteLength(), 5);
    const HidField* y = findField(*d, HidReportType::Input, 0x01, 0x31);
    ASSERT_TRUE(y);
    EXPECT_EQ(y->reportId, 1);
    EXPECT_EQ(y->bitOffset, 24);
    const HidField* hat = findField(*d, HidReportType::Input, 0x01, 0x39);
    ASSERT_TRUE(hat);
    EXPECT_EQ(hat->bitOffset, 32);
    EXPECT_EQ(hat->bitSize, 4);
}

TEST(ReportDescriptor, DamagedDescriptorsAreRefusedWithAReason) {
    const std::pair<const char*, QByteArray> damaged[] = {
        {"cut inside an item", GamePad.left(GamePad.indexOf(char(0x46)) + 2)},
        {"collection never closed", GamePad.left(GamePad.size() - 1)},
        {"end without collection", bytes({0xC0})},
        {"report id 0", bytes({0x85, 0x00})},
        {"absurd report count", bytes({0x96, 0xFF, 0xFF})},
        {"absurd report size", bytes({0x76, 0x00, 0x10})},
        {"pop without push", bytes({0xB4})},
        {"usage maximum alone", bytes({0x29, 0x05})},
        {"backwards usage range", bytes({0x19, 0x10, 0x29, 0x01})},
        {"65536 usages", bytes({0x1A, 0x00, 0x00, 0x2A, 0xFF, 0xFF})},
        {"report of 16 KiB", bytes({0x75, 0x20, 0x96, 0x00, 0x10, 0x81, 0x02})},
        {"long item cut short", bytes({0xFE, 0x10, 0x00, 0x01})},
        {"too long", QByteArray(MaxDescriptorBytes + 1, char(0x00))},
    };
    for (const auto& [what, descriptor] : damaged) {
        QString why;
        EXPECT_FALSE(parseReportDescriptor(descriptor, &why)) << what;
        EXPECT_FALSE(why.isEmpty()) << what;
    }
}

TEST(ReportDescriptor, BitsPackLeastSignificantFirstAcrossBytes) {
    QByteArray data(3, '\0');
    insertBits(data, 4, 12, 0xABC);
    EXPECT_EQ(data, bytes({0xC0, 0xAB, 0x00}));
    EXPECT_EQ(extractBits(data, 4, 12), 0xABCu);
    insertBits(data, 20, 8, 0xFF); // runs past the end: the rest is dropped
    EXPECT_EQ(uint8_t(data[2]), 0xF0);
    EXPECT_EQ(extractBits(data, 20, 8), 0x0Fu);
}

namespace {

// One device whose input report a test sets; it keeps what is written.
class ScriptedTransport : public HidTransport {
public:
    explicit ScriptedTransport(QByteArray descriptor) : m_descriptor(std::move(descriptor)) {}
    QByteArray input; // id byte first
    std::vector<QByteArray> written;

    std::vector<HidDeviceInfo> enumerate() override {
        HidDeviceInfo info;
        info.path = QStringLiteral("scripted");
        info.product = QStringLiteral("Pad");
        return {info};
    }
    HidOpenResult open(const HidDeviceInfo&) override {
        class Connection : public HidConnection {
        public:
            explicit Connection(ScriptedTransport& t) : m_t(t) {}
            QByteArray descriptor(QString*) override { return m_t.m_descriptor; }
            HidInput readInput(uint8_t, int) override { return {HidInput::Report, m_t.input}; }
            bool writeOutput(const QByteArray& report) override {
                m_t.written.push_back(report);
                return true;
            }

        private:
            ScriptedTransport& m_t;
        };
        return {std::make_unique<Connection>(*this), false, {}};
    }
    bool watch(std::function<void()>) override { return true; }
    void unwatch() override {}

private:
    QByteArray m_descriptor;
};

} // namespace

TEST(HidAgent, ReadsNumberedReportsAndWritesOutputs) {
    ScriptedTransport pad(GamePad);
    HidAgent agent(pad);
    agent.start();
    EXPECT_THROW(agent.findVariable(0x01, 0x30, HidReportType::Input), HidError); // none current
    agent.selectDevice(0);
    const int x = agent.findVariable(0x01, 0x30, HidReportType::Input);
    const int button3 = agent.findVariable(0x09, 3, HidReportType::Input);
    ASSERT_GE(x, 0);
    ASSERT_GE(button3, 0);
    EXPECT_EQ(agent.findVariable(0x01, 0x30, HidReportType::Output), -1);
    pad.input = bytes({0x01, 0x04, 0x00, 0x81, 0x7F, 0x07});
    ASSERT_TRUE(agent.readReport(agent.reportIndex(x)));
    EXPECT_EQ(agent.unscaledValue(button3), 1);
    EXPECT_EQ(agent.unscaledValue(x), 0x81);
    pad.input = bytes({0x01}); // a short report: the rest reads 0
    ASSERT_TRUE(agent.readReport(agent.reportIndex(x)));
    EXPECT_EQ(agent.unscaledValue(x), 0);
    EXPECT_FALSE(agent.writeReport(agent.reportIndex(x))); // an input report is not written
    EXPECT_THROW(agent.selectDevice(1), HidError);

    ScriptedTransport keyboard(Keyboard);
    HidAgent keys(keyboard);
    keys.start();
    keys.selectDevice(0);
    const int capsLock = keys.findVariable(0x08, 2, HidReportType::Output);
    ASSERT_GE(capsLock, 0);
    keys.setUnscaledValue(capsLock, 1);
    keys.setUnscaledValue(keys.findVariable(0x08, 5, HidReportType::Output), 3); // one bit kept
    ASSERT_TRUE(keys.writeReport(keys.reportIndex(capsLock)));
    EXPECT_EQ(keyboard.written, std::vector<QByteArray>{bytes({0x00, 0x12})});
    EXPECT_EQ(keys.findVariable(0x07, 0x04, HidReportType::Input), -1); // the key slots: an array
    EXPECT_EQ(keys.unscaledValue(-1), 0);                               // no such variable
    EXPECT_FALSE(keys.readReport(99));                                  // no such report
}

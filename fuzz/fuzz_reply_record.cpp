// Takes arbitrary bytes as what waits in the receive buffer and reads them
// the way the window does: dump, pieces, decode. Checks that the dump is two
// upper-case hexadecimal digits per byte, that a report is decoded exactly
// when at least 39 bytes start with FF AA, and that each value is the byte,
// or base-100 pair of bytes, that carries it. The same bytes taken as text
// must never decode without the header pieces. What Read then shows keeps the
// settings table well-formed.
#include "BrewerOperations.h"
#include "Invariants.h"
#include "ReplyRecord.h"
#include "SettingsForm.h"
#include "SlotForms.h"

using namespace operations;

namespace {

void require(bool holds, const char *what)
{
    check(holds ? QString() : QString::fromLatin1(what));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString dump = replyDump(bytes);
    require(dump.size() == 2 * bytes.size() && (dump.isEmpty() || isHexOfWidth(dump, dump.size())),
            "the dump is not two upper-case hexadecimal digits per byte");

    const auto report = decodeReply(replyPieces(dump));
    const bool whole =
        bytes.size() >= ReplyLength && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xAA;
    require(report.has_value() == whole, "decoded a record that did not arrive, or missed one");
    if (report) {
        const auto byte = [&bytes](int at) { return int(uchar(bytes[at])); };
        const auto pair = [&byte](int at) { return 100 * byte(at) + byte(at + 1); };
        for (int i = 0; i < 3; ++i)
            require(report->countTotals[i] == pair(2 + 2 * i), "a count total is not its pair");
        for (int i = 0; i < 27; ++i)
            require(report->buttonSettings[i] == byte(8 + i), "a button setting is not its byte");
        require(report->calibrationTenths == pair(35), "the calibration is not its pair");
        require(report->pumpSpeed == byte(37) && report->dripTime == byte(38),
                "pump speed or drip time is not its byte");
    }

    // Read shows it: the fields' editors keep the table well-formed.
    SettingsForm form;
    require(takeReply(form, bytes).good() == whole, "Read judged the record otherwise");
    require(tableProblem(form.table()).isEmpty(), "Read left a malformed setting in the table");

    const auto fromText = decodeReply(replyPieces(QString::fromLatin1(bytes)));
    require(!fromText || bytes.startsWith("FFAA"), "decoded text without the header FF AA");
    return 0;
}

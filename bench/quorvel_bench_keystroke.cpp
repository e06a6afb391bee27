// Measures one keystroke in the manual-input box when it is full (6143 characters, 2048 bytes):
// the change handling with its respacing, the byte count and the automatic digest, in the real
// window driven offscreen. The reference, measured in the same run, is the bare work behind
// it: formatBytes, ASCII_to_Hex and HashFromMemory over the same text. The aim is at most 5 ms
// per keystroke.
//
// Usage: QT_QPA_PLATFORM=offscreen quorvel_bench_keystroke [keystrokes per case]   (default 400)

#include "Algorithm.h"
#include "Controls.h"
#include "Form1.h"
#include "HexRules.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Stats {
    double median = 0;
    double p95 = 0;
    double max = 0;
};

Stats Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    Stats s;
    s.median = ms[ms.size() / 2];
    s.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    s.max = ms.back();
    return s;
}

// The even-numbered (typed) or odd-numbered (deleting) entries.
std::vector<double> Every(const std::vector<double>& ms, size_t first) {
    std::vector<double> out;
    for (size_t i = first; i < ms.size(); i += 2) {
        out.push_back(ms[i]);
    }
    return out;
}

// Times each call of step, in milliseconds.
std::vector<double> Time(int count, const std::function<void(int)>& step) {
    std::vector<double> ms;
    ms.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        step(i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ms;
}

void Report(const char* name, const Stats& s, const Stats& reference) {
    std::printf("%-46s median %7.3f ms  p95 %7.3f ms  max %7.3f ms  median/reference %6.1f  %s\n", name, s.median,
                s.p95, s.max, s.median / reference.median, s.median <= 5.0 ? "within 5 ms" : "OVER 5 ms");
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "quorvel_bench_keystroke: %s\n", what);
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quorvel::SetUpApplication(app);
    const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;

    quorvel::Form1 form({});
    form.tabControl->setCurrentWidget(form.tabManual);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        Fail("the window did not appear");
    }
    quorvel::RichTextBox* box = form.rtbTabManualInput;
    box->setFocus();

    // 4095 digits: one short of full, so that typing one more digit and taking it back again
    // alternate between 6142 and 6143 characters.
    QString digits;
    for (int i = 0; i < 4095; ++i) {
        digits += QLatin1Char("0123456789abcdef"[i % 16]);
    }
    box->setPlainText(digits);
    if (box->toPlainText().size() != 6142) {
        Fail("the box did not take the text");
    }
    const QString full = box->toPlainText() + QStringLiteral("f");

    // The reference: the conversion and digest work of one keystroke, without the window.
    std::array<unsigned char, 2048> input{};
    std::array<unsigned char, quorvel::kMaxDigestLength> digest{};
    const Stats reference = Summarise(Time(count, [&](int) {
        const QString formatted = quorvel::formatBytes(full);
        input.fill(0);
        const int32_t n = quorvel::ASCII_to_Hex(formatted, 2048, input.data());
        quorvel::HashFromMemory(input.data(), n, quorvel::EAlgorithm::MD5, digest.data());
        if (quorvel::Hex_To_String(digest.data(), 16).size() != 32) {
            Fail("no digest");
        }
    }));

    const auto caretTo = [&](int position) {
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(position);
        box->setTextCursor(cursor);
    };
    const auto checkFull = [&] {
        if (form.lbTabManualBytes->text() != QLatin1String("2048") || form.tbTabManualResult->text().size() != 32) {
            Fail("the keystroke was not handled");
        }
    };

    // At the end: a digit typed (the pair completes, 2048 bytes), then Backspace.
    caretTo(6142);
    const std::vector<double> atEnd = (Time(count, [&](int i) {
        if (i % 2 == 0) {
            QTest::keyClick(box, Qt::Key_F);
            checkFull();
        } else {
            QTest::keyClick(box, Qt::Key_Backspace);
        }
    }));

    // At the start: every pair after the caret moves by one character, so the whole text is
    // respaced. Typed, then deleted again with Delete.
    const std::vector<double> atStart = (Time(count, [&](int i) {
        if (i % 2 == 0) {
            caretTo(0);
            QTest::keyClick(box, Qt::Key_A);
            checkFull();
        } else {
            caretTo(0);
            QTest::keyClick(box, Qt::Key_Delete);
        }
    }));

    // The same at the end, with the repaint the keystroke causes.
    caretTo(static_cast<int>(box->toPlainText().size()));
    const std::vector<double> painted = (Time(count, [&](int i) {
        QTest::keyClick(box, i % 2 == 0 ? Qt::Key_F : Qt::Key_Backspace);
        box->viewport()->repaint();
        QCoreApplication::processEvents();
    }));

    // With SHA-512, the costliest digest.
    form.cbTabManual->setCurrentIndex(static_cast<int>(quorvel::EAlgorithm::SHA512));
    caretTo(static_cast<int>(box->toPlainText().size()));
    const std::vector<double> sha512 =
        Time(count, [&](int i) { QTest::keyClick(box, i % 2 == 0 ? Qt::Key_F : Qt::Key_Backspace); });

    std::printf("keystrokes per case: %d; reference (formatBytes + ASCII_to_Hex + MD5 over 6143 characters): "
                "median %.3f ms\n",
                count, reference.median);
    Report("digit typed at the end (MD5)", Summarise(Every(atEnd, 0)), reference);
    Report("Backspace at the end (MD5)", Summarise(Every(atEnd, 1)), reference);
    Report("digit typed at the start, all respaced (MD5)", Summarise(Every(atStart, 0)), reference);
    Report("Delete at the start, all respaced (MD5)", Summarise(Every(atStart, 1)), reference);
    Report("typed at the end, with repaint (MD5)", Summarise(Every(painted, 0)), reference);
    Report("Backspace at the end, with repaint (MD5)", Summarise(Every(painted, 1)), reference);
    Report("digit typed at the end (SHA-512)", Summarise(Every(sha512, 0)), reference);
    return 0;
}

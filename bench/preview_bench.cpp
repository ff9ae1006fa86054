// The preview of a typical record with an A4 page scanned at 300 dpi (2480 x 3508 pixels, about
// 2.5 MB): the popup's part on the user-interface thread (record and notes read, page found)
// and the page read on the worker, against a plain read of the two files, against the page read
// as it was before (the format found from the content, decoded at the size shown) and against a
// plain full decode of the same file; then the preview given again for the unchanged record.
//
//   build/bench/bench_preview [runs]        (default 15; goals: the page read no slower than
//                                            before, the popup shown at once)
//
// All are timed in turns, in the processor time of the timing thread (the page is read on it
// too, as the worker would), and the best time of each is kept: the least disturbed by the rest
// of the machine.

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "main_window/page_reading.h"
#include "main_window/preview_popup.h"
#include "main_window/record_preview.h"
#include "platform/file_head.h"

namespace fs = std::filesystem;

namespace {

constexpr char kRecord[] =
    "表題：見本\n作者：見本 太郎\n後手の持駒：残り全部\n"
    "  ９ ８ ７ ６ ５ ４ ３ ２ １\n+---------------------------+\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|一\n| ・ ・ ・ ・ ・ ・ ・v玉 ・|二\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|三\n| ・ ・ ・ ・ ・ ・ 銀 ・v金|四\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|九\n+---------------------------+\n先手の持駒：金二\n"
    "手数----指手---------消費時間--\n   1 ２三金打\n   2 １一玉(22)\n   3 "
    "１二金打\nまで3手で詰み\n";

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// An A4 page at 300 dpi with enough grain that it compresses to about 2.5 MB.
std::string PageScan() {
    QImage page(2480, 3508, QImage::Format_RGB32);
    QRandomGenerator random(12);
    for (int y = 0; y < page.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int grey = 200 + static_cast<int>(random.bounded(40));
            line[x] = qRgb(grey, grey, grey - 10);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "JPG", 85);
    return bytes.toStdString();
}

// The page read as the preview read it before: the format found from the content.
QImage FormerRead(const std::string& path, QSize box) {
    const platform::FileHead head = platform::ReadFileHead(path, quill::kPageReadLimit);
    QByteArray bytes =
        QByteArray::fromRawData(head.bytes.data(), static_cast<qsizetype>(head.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

// A plain full decode of the file.
QImage FullRead(const std::string& path) {
    return QImageReader(QString::fromStdString(path)).read();
}

// The processor time of this thread, in seconds: on a machine shared with other work, the wall
// clock moves by tens of percent between runs of the same decode, the thread's own time by a few.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Action>
double Time(Action&& action) {
    const double start = ThreadSeconds();
    action();
    return ThreadSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    const fs::path folder = fs::temp_directory_path() / "quill-preview-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    Write(folder / "p012.kif", kRecord);
    const std::string scan = PageScan();
    Write(folder / "p012.jpg", scan);
    Write(folder / "p012.kif.txt", "出典：見本\nメモ：初手に注意\n");
    const std::string book = folder.string();
    const QSize box = PreviewPopup::PageBox() * 2;

    const std::string page = book + "/p012.jpg";
    double read = 1e9, shown = 1e9, decoded = 1e9, former = 1e9, full = 1e9, again = 1e9;
    quill::PreviewCache cache;
    cache.Get(book, "p012.kif", box);
    for (int i = 0; i < runs; ++i) {
        read = std::min(read, Time([&] {
                            platform::ReadFileHead(book + "/p012.kif", 1 << 20);
                            platform::ReadFileHead(page, 1 << 26);
                        }));
        shown = std::min(shown, Time([&] { quill::BuildPreview(book, "p012.kif", box); }));
        former = std::min(former, Time([&] { FormerRead(page, box); }));
        decoded = std::min(decoded, Time([&] {
                               if (quill::ReadPageImage(page, box).image.isNull()) std::abort();
                           }));
        full = std::min(full, Time([&] { FullRead(page); }));
        again = std::min(again, Time([&] { cache.Get(book, "p012.kif", box); }));
    }
    std::printf("page scan 2480 x 3508, %.1f MB, best of %d\n",
                static_cast<double>(scan.size()) / 1e6, runs);
    std::printf("read of the two files          %8.2f ms  %6.2fx\n", read * 1e3, read / former);
    std::printf("page read as before            %8.2f ms  %6.2fx (the baseline)\n", former * 1e3,
                1.0);
    std::printf("page read now (worker)         %8.2f ms  %6.2fx\n", decoded * 1e3,
                decoded / former);
    std::printf("plain full decode              %8.2f ms  %6.2fx\n", full * 1e3, full / former);
    std::printf("popup shown (user interface)   %8.2f ms  %6.2fx\n", shown * 1e3, shown / former);
    std::printf("  before: shown with its page  %8.2f ms  %6.2fx\n", (shown + former) * 1e3,
                (shown + former) / former);
    std::printf("preview given again            %8.3f ms  %6.3fx\n", again * 1e3, again / former);
    fs::remove_all(folder);
    return 0;
}

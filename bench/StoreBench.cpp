// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Loading and saving the stored list, next to the parts they are made of:
// the plain file read, JSON decode, JSON encode and plain write + fsync; and
// loading against simdjson's own DOM parse of the same bytes, the floor.
//
// usage: store_bench
//        store_bench --store FOLDER COUNT   (stores COUNT to-dos in FOLDER, for start_bench)

#include "BenchSupport.h"

#include <FilePreferences.h>
#include <QFile>
#include <QTemporaryDir>
#include <TodoJson.h>
#include <TodoListStore.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <simdjson.h>
#include <string_view>
#include <unistd.h>

namespace {

std::vector<TodoItem> makeItems(int count)
{
    static const char *names[] = {"Buy milk", "Call the dentist about Tuesday", "Caf\u00E9 at 10",
                                  "Write the quarterly report for the team and send it"};
    std::vector<TodoItem> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        items.emplace_back(std::string(names[i % 4]) + " #" + std::to_string(i),
                           786310200.0 + 60.0 * i, allTodoPriorities[i % 3]);
    }
    return items;
}

void plainWriteAndSync(const QString &path, const std::string &bytes)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    ::fsync(fd);
    ::close(fd);
}

// What any reader of the list on simdjson's DOM parser does at least: a padded
// copy of the bytes, the parse, and a look at all four members of every item.
// Like a loaded list, the parsed document is kept.
struct SimdjsonDomRead {
    explicit SimdjsonDomRead(const std::string &json) : padded(json)
    {
        simdjson::dom::array items;
        if (parser.parse(padded).get(items) != simdjson::SUCCESS)
            return;
        for (const simdjson::dom::element item : items) {
            std::string_view id;
            std::string_view name;
            std::string_view priority;
            double time = 0;
            if (item["id"].get(id) || item["name"].get(name) || item["time"].get(time) ||
                item["priority"].get(priority))
                return;
            length += id.size() + name.size() + priority.size() + (time > 0);
        }
    }

    simdjson::padded_string padded;
    simdjson::dom::parser parser;
    std::size_t length = 0;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string_view(argv[1]) == "--store") {
        FilePreferences store(QString::fromLocal8Bit(argv[2]));
        return writeTodoList(store, makeItems(std::atoi(argv[3]))) ? 0 : 1;
    }

    // Keep freed memory in the process. Otherwise glibc hands the 12 MB file buffer
    // and the list back to the kernel after every run and the next run pays page
    // faults for all of it, which the parts measured on their own (warm) do not:
    // the ratios would compare a cold heap with a warm one.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);

    QTemporaryDir directory;
    FilePreferences preferences(directory.path());
    const QString storePath = directory.path() + QStringLiteral("/TodoList");
    const QString plainPath = directory.path() + QStringLiteral("/plain");

    std::printf("%-9s %8s | %9s %9s %9s %7s | %9s %7s | %9s %9s %9s %7s | %8s\n", "items", "MB",
                "read", "decode", "load", "ratio", "DOM", "ratio", "encode", "write", "save",
                "ratio", "load MB/s");
    for (int count : {1000, 100000, 1000000}) {
        const int runs = count >= 1000000 ? 5 : 11;
        const std::vector<TodoItem> items = makeItems(count);
        const std::string json = *encodeTodoList(items);
        const double megabytes = static_cast<double>(json.size()) / 1e6;
        writeTodoList(preferences, items);

        const double read = medianMilliseconds(runs, [&] {
            QFile file(storePath);
            file.open(QIODevice::ReadOnly);
            volatile auto size = file.readAll().size();
            (void)size;
        });
        // What is read is kept, as the app keeps it; dropping it is not timed.
        std::optional<std::vector<TodoItem>> list;
        const auto dropList = [&] { list.reset(); };
        const double decode = medianMilliseconds(
            runs, [&] { list = decodeTodoList(json); }, dropList);
        std::unique_ptr<SimdjsonDomRead> document;
        const TurnMedians loadAndDom = medianMillisecondsInTurns(
            runs, [&] { list = readTodoList(preferences); },
            [&] { document = std::make_unique<SimdjsonDomRead>(json); },
            [&] {
                dropList();
                document.reset();
            });
        const double load = loadAndDom.first;
        dropList();
        document.reset();
        const double encode = medianMilliseconds(runs, [&] {
            volatile auto size = encodeTodoList(items)->size();
            (void)size;
        });
        const double write = medianMilliseconds(runs, [&] { plainWriteAndSync(plainPath, json); });
        const double save = medianMilliseconds(runs, [&] { writeTodoList(preferences, items); });

        std::printf("%-9d %8.2f | %9.2f %9.2f %9.2f %6.2fx | %9.2f %6.2fx | %9.2f %9.2f %9.2f "
                    "%6.2fx | %8.0f\n",
                    count, megabytes, read, decode, load, load / (read + decode), loadAndDom.second,
                    loadAndDom.ratio, encode, write, save, save / (encode + write),
                    megabytes / (load / 1000.0));
    }
    std::printf("times are medians in ms; load ratios = load / (read + decode) and load / DOM "
                "(simdjson's DOM parse of the same bytes, timed in turns with load: the median "
                "ratio of the turns), save ratio = save / (encode + write + "
                "fsync)\n");
    return 0;
}

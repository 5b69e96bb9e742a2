// What saving and opening a large document costs: a sketch of lines on shared
// points (1,000,000 entities by default, counting points, lines and the
// points' use lists), written with DocumentWriter and read with
// DocumentReader, beside plain SQLite writing and reading the very rows the
// writer produced (one transaction, one prepared statement) as the baseline.
// Prints entities per second, the file size, and each rate as a share of its
// baseline, by the wall clock and by the processor time of all threads.
//
//   bench_storage [--entities=N] [benchmark options]

#include "../common/BenchSketch.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/Storage/DocumentFormat.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace Kv;
using namespace Kv::Geometry;

namespace fs = std::filesystem;

// A square grid of points in one sketch, each joined to its right and upper
// neighbour by a line: every point is shared by up to four lines. A point
// comes with its use list, so a grid of n points holds about 4n entities.
struct GridDocument : BenchSketch {
    explicit GridDocument(size_t entities)
        : BenchSketch(L"Grid") {
        const size_t side = std::max<size_t>(2, size_t(std::sqrt(double(entities) / 4.0)));
        std::vector<StrongRef<Point3D>> points;
        points.reserve(side * side);
        for (size_t y = 0; y < side; ++y)
            for (size_t x = 0; x < side; ++x)
                points.push_back(Point3D::make(parent, ZkGePoint3d(double(x), double(y), 0.0)));
        for (size_t y = 0; y < side; ++y)
            for (size_t x = 0; x < side; ++x) {
                const StrongRef<Point3D>& here = points[y * side + x];
                if (x + 1 < side)
                    Line3D::make(parent, here, points[y * side + x + 1]);
                if (y + 1 < side)
                    Line3D::make(parent, here, points[(y + 1) * side + x]);
            }
    }
};

void check(int status, int expected, sqlite3* db, const char* what) {
    if (status != expected)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// One row of the entities table as the document writer wrote it; the rows
// are kept in the order it wrote them.
struct EntityRow {
    int64_t segment = 0;
    int64_t id = 0;
    std::string metaType;
    std::optional<std::pair<int64_t, int64_t>> parent;
    int64_t childIndex = -1;
    std::string members;
};

std::vector<EntityRow> readEntityRows(const std::string& path) {
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr),
          SQLITE_OK, db, "open");
    sqlite3_stmt* rows = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT * FROM entities ORDER BY rowid", -1, &rows, nullptr),
          SQLITE_OK, db, "prepare");
    std::vector<EntityRow> read;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        EntityRow row;
        row.segment = sqlite3_column_int64(rows, 0);
        row.id = sqlite3_column_int64(rows, 1);
        row.metaType = reinterpret_cast<const char*>(sqlite3_column_text(rows, 2));
        if (sqlite3_column_type(rows, 3) != SQLITE_NULL)
            row.parent.emplace(sqlite3_column_int64(rows, 3), sqlite3_column_int64(rows, 4));
        row.childIndex = sqlite3_column_int64(rows, 5);
        row.members.assign(static_cast<const char*>(sqlite3_column_blob(rows, 6)),
                           size_t(sqlite3_column_bytes(rows, 6)));
        read.push_back(std::move(row));
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    return read;
}

// Everything the benchmarks of one size share: the document, where it is
// saved, and the rows of its entities table.
struct Fixture {
    explicit Fixture(size_t entities)
        : document(entities)
        , directory(makeDirectory())
        , documentPath(directory + "/grid.kvd")
        , rawPath(directory + "/raw.db") {
        DocumentWriter::save(document.asset, documentPath);
        rows = readEntityRows(documentPath);
        writeRaw();
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(directory, ignored);
    }

    static std::string makeDirectory() {
        std::string pattern = (fs::temp_directory_path() / "KvStorageBenchXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        return pattern;
    }

    // The rows alone, in a table of the document's layout, in one
    // transaction through one prepared statement, with the writer's settings
    // (one connection used by one thread, no journal, no syncing).
    void writeRaw() {
        std::remove(rawPath.c_str());
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(rawPath.c_str(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                              nullptr),
              SQLITE_OK, db, "open");
        const std::string setup = std::string("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;") +
                                  DocumentFormat::schemaSql() + "BEGIN";
        check(sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr), SQLITE_OK, db, "setup");
        sqlite3_stmt* insert = nullptr;
        check(sqlite3_prepare_v2(db, "INSERT INTO entities VALUES (?, ?, ?, ?, ?, ?, ?)", -1,
                                 &insert, nullptr),
              SQLITE_OK, db, "prepare");
        for (const EntityRow& row : rows) {
            sqlite3_bind_int64(insert, 1, row.segment);
            sqlite3_bind_int64(insert, 2, row.id);
            sqlite3_bind_text(insert, 3, row.metaType.data(), int(row.metaType.size()),
                              SQLITE_STATIC);
            if (row.parent) {
                sqlite3_bind_int64(insert, 4, row.parent->first);
                sqlite3_bind_int64(insert, 5, row.parent->second);
            } else {
                sqlite3_bind_null(insert, 4);
                sqlite3_bind_null(insert, 5);
            }
            sqlite3_bind_int64(insert, 6, row.childIndex);
            sqlite3_bind_blob(insert, 7, row.members.data(), int(row.members.size()),
                              SQLITE_STATIC);
            check(sqlite3_step(insert), SQLITE_DONE, db, "insert");
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK, db, "commit");
        check(sqlite3_close(db), SQLITE_OK, db, "close");
    }

    // Every column of every row, in the order they are stored, through a
    // connection opened as the reader opens its own.
    size_t readRaw() const {
        sqlite3* db = nullptr;
        check(sqlite3_open_v2(rawPath.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                              nullptr),
              SQLITE_OK, db, "open");
        sqlite3_stmt* select = nullptr;
        check(sqlite3_prepare_v2(db, "SELECT * FROM entities ORDER BY rowid", -1, &select, nullptr),
              SQLITE_OK, db, "prepare");
        size_t bytes = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            bytes += size_t(sqlite3_column_int64(select, 0) + sqlite3_column_int64(select, 1));
            bytes += size_t(sqlite3_column_bytes(select, 2));
            bytes += size_t(sqlite3_column_int64(select, 3) + sqlite3_column_int64(select, 4) +
                            sqlite3_column_int64(select, 5));
            const void* blob = sqlite3_column_blob(select, 6);
            const int size = sqlite3_column_bytes(select, 6);
            bytes += size > 0 ? size_t(static_cast<const unsigned char*>(blob)[size - 1]) : 0;
        }
        sqlite3_finalize(select);
        sqlite3_close(db);
        return bytes;
    }

    GridDocument document;
    std::string directory;
    std::string documentPath;
    std::string rawPath;
    std::vector<EntityRow> rows;
};

std::unique_ptr<Fixture> g_fixture;

void entitiesPerSecond(benchmark::State& state) {
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(g_fixture->rows.size()));
}

void save(benchmark::State& state) {
    const std::string path = g_fixture->directory + "/saved.kvd";
    for (auto _ : state)
        DocumentWriter::save(g_fixture->document.asset, path);
    entitiesPerSecond(state);
}

void open(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<Asset> asset = DocumentReader::load(g_fixture->documentPath);
        state.PauseTiming(); // letting a million entities go is not part of opening
        asset.reset();
        state.ResumeTiming();
    }
    entitiesPerSecond(state);
}

void rawInsert(benchmark::State& state) {
    for (auto _ : state)
        g_fixture->writeRaw();
    entitiesPerSecond(state);
}

void rawRead(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(g_fixture->readRaw());
    entitiesPerSecond(state);
}

// Keeps two rates of every run: by the wall clock, what a user waits for
// (opening reads the file on a second thread while it makes the entities),
// and by the processor time of all the program's threads, which a loaded
// machine does not distort.
class RateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        const double items = double(g_fixture->rows.size());
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.real_accumulated_time > 0)
                wall[name] = double(run.iterations) * items / run.real_accumulated_time;
            if (run.cpu_accumulated_time > 0)
                processor[name] = double(run.iterations) * items / run.cpu_accumulated_time;
        }
    }
    std::map<std::string, double> wall;
    std::map<std::string, double> processor;
};

// Takes --entities=N out of the arguments; 1,000,000 without it.
size_t entityCount(int& argc, char** argv) {
    size_t entities = 1000000;
    const char* option = "--entities=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) != 0)
            continue;
        char* end = nullptr;
        const unsigned long long value = std::strtoull(argv[i] + std::strlen(option), &end, 10);
        if (*end != '\0' || value < 16)
            throw std::invalid_argument(std::string("bad ") + argv[i] + " (at least 16)");
        entities = size_t(value);
        std::memmove(argv + i, argv + i + 1, sizeof(char*) * size_t(argc - i));
        --argc;
        --i;
    }
    return entities;
}

} // namespace

int main(int argc, char** argv) {
    size_t entities = 0;
    try {
        entities = entityCount(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_storage: %s\n", error.what());
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("building a sketch of about %zu entities...\n", entities);
    std::fflush(stdout);
    g_fixture = std::make_unique<Fixture>(entities);

    // Large documents take seconds per run; small ones are timed over more.
    const int iterations = int(std::max<size_t>(1, 2000000 / g_fixture->rows.size()));
    for (auto [name, function] :
         {std::pair{"save", save}, {"open", open}, {"rawInsert", rawInsert}, {"rawRead", rawRead}})
        benchmark::RegisterBenchmark(name, function)
            ->Iterations(iterations)
            ->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto rate = [](const std::map<std::string, double>& rates, const char* name) {
        auto it = rates.find(name);
        return it == rates.end() ? 0.0 : it->second;
    };
    std::printf("\n%zu entities, document file %.1f MB (rows only: %.1f MB)\n",
                g_fixture->rows.size(), double(fs::file_size(g_fixture->documentPath)) / 1e6,
                double(fs::file_size(g_fixture->rawPath)) / 1e6);
    for (auto [title, rates] : {std::pair{"wall clock", &reporter.wall},
                                {"processor time of all threads", &reporter.processor}}) {
        std::printf("%s, entities per second:\n", title);
        for (auto [document, raw] : {std::pair{"save", "rawInsert"}, {"open", "rawRead"}}) {
            const double ours = rate(*rates, document), theirs = rate(*rates, raw);
            if (ours > 0 && theirs > 0)
                std::printf(
                    "  %-5s %12.0f /s   raw SQLite %12.0f /s   share %.2f (target >= 0.5)\n",
                    document, ours, theirs, ours / theirs);
        }
    }
    g_fixture.reset();
    benchmark::Shutdown();
    return 0;
}

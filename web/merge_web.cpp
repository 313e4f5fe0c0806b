// The browser edition's entry points, which the page's worker calls through
// the module's exports: the reports go into memory files, the merge job runs
// exactly as it does for the window and the command line, and the page takes
// the merged report and its picture out of memory files again. Texts cross
// as UTF-8, the outcome as JSON.
#include <emscripten.h>

#include <string>
#include <vector>

#include "base/error_text.hpp"
#include "base/json_text.hpp"
#include "chart/chart_render_web.hpp"
#include "chart/chart_step.hpp"
#include "job/merge_job.hpp"
#include "languages/phrase_table.hpp"
#include "system/memory_files.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

// Tells the page each step of the merge, for its progress.
EM_JS(void, TellStep, (int step, const char* file), {
    if (Module.onStep) Module.onStep(step, UTF8ToString(file));
});

// The outcome with the texts the windows show for it: the message box's
// (refusals), the error box's (errors) and the warnings box's; and the
// picture's name, as the page names it.
std::string OutcomeJson(const TMergeOutcome& outcome, const std::string& picture) {
    static constexpr const char* kinds[] = {"done", "refused", "failed"};
    const bool failed = outcome.Kind == TMergeOutcome::TKind::Failed;
    std::string json =
        "{\"kind\":\"" + std::string(kinds[static_cast<int>(outcome.Kind)]) + "\",\"message\":";
    AppendJsonText(json, failed ? ErrorBoxText(outcome.Message) : outcome.Message);
    json += ",\"warningsBox\":";
    AppendJsonText(json, outcome.Warnings.empty() ? "" : WarningsBoxText(outcome.Warnings));
    json += ",\"picture\":";
    AppendJsonText(json, picture);
    return json + '}';
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace
}  // namespace velquist

using namespace velquist;

extern "C" {

// A new file of `size` bytes, to be filled by the page at the address
// returned: the bytes are copied into memory once.
EMSCRIPTEN_KEEPALIVE char* vq_new_file(const char* path, int size) {
    PutMemoryFile(path, std::string(static_cast<std::size_t>(size), '\0'));
    return const_cast<std::string*>(FindMemoryFile(path))->data();
}

// The file's bytes and their count, valid until the file changes; null when
// there is no such file.
EMSCRIPTEN_KEEPALIVE const char* vq_file_data(const char* path) {
    const std::string* file = FindMemoryFile(path);
    return file != nullptr ? file->data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE int vq_file_size(const char* path) {
    const std::string* file = FindMemoryFile(path);
    return file != nullptr ? static_cast<int>(file->size()) : -1;
}

EMSCRIPTEN_KEEPALIVE void vq_remove_file(const char* path) { RemoveMemoryFile(path); }

// The chart labels' separators, as the user's locale has them.
EMSCRIPTEN_KEEPALIVE void vq_set_number_format(const char* group, const char* decimal,
                                               const char* minus) {
    SetChartNumberFormat({group, decimal, minus});
}

// The 28 languages of the result, one a line, in the window's order.
EMSCRIPTEN_KEEPALIVE const char* vq_languages() {
    static const std::string names = [] {
        std::string text;
        for (const std::string_view name : LanguageNames()) text.append(name).append("\n");
        return text;
    }();
    return names.c_str();
}

// Merges the files (their memory file names, one a line) into the result,
// as the window does with fresh reports; the outcome as JSON.
EMSCRIPTEN_KEEPALIVE const char* vq_merge(const char* files, const char* result,
                                          const char* language, int writeSymbol) {
    static std::string json;
    TMT4TestReport reportA, reportB;
    reportA.WriteSymbol = writeSymbol != 0;
    const TMergeRequest request{Lines(files), result, language};
    const TChartStep chart = BalanceChartStep(GetTempDir());
    json = OutcomeJson(MergeJob(request, reportA, reportB, chart,
                                [](TMergeStep step, const std::string& file) {
                                    TellStep(static_cast<int>(step), file.c_str());
                                }),
                       ImageFileNameOf(result));
    return json.c_str();
}

}  // extern "C"

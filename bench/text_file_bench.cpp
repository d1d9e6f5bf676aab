// Figures for loading and saving large texts: decoding each encoding, the RTF
// reader and writer, and the encoding check over a file's first bytes.
#include <benchmark/benchmark.h>

#include "core/codepage.h"
#include "documents/encoding_detect.h"
#include "documents/rtf_reader.h"
#include "documents/rtf_writer.h"
#include "documents/text_file.h"

namespace umlo {
namespace {

// A Russian text of about n characters, every eighth one a marked ё.
RichText MarkedText(std::size_t n) {
    RichText r;
    const CharFormat mark{255, 65535, false, 0};
    while (r.text.size() < n) {
        r.Append(u"Ещё ", CharFormat{});
        r.Append(u"ё", mark);
        r.Append(u"лка\r", CharFormat{});
    }
    return r;
}

void BM_DecodeCp1251(benchmark::State& state) {
    const std::string bytes = Utf16ToCp1251(MarkedText(state.range(0)).text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeText(bytes, 0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeCp1251)->Arg(1 << 20)->Arg(16 << 20);

void BM_DecodeUtf8(benchmark::State& state) {
    const std::string bytes = EncodeText(MarkedText(state.range(0)), FormatUtf8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeText(bytes, FormatUtf8));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeUtf8)->Arg(1 << 20)->Arg(16 << 20);

void BM_WriteRtf(benchmark::State& state) {
    const RichText text = MarkedText(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRtf(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.text.size()));
}
BENCHMARK(BM_WriteRtf)->Arg(1 << 20);

void BM_ReadRtf(benchmark::State& state) {
    const std::string rtf = WriteRtf(MarkedText(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadRtf(rtf));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rtf.size()));
}
BENCHMARK(BM_ReadRtf)->Arg(1 << 20);

void BM_DetectEncoding(benchmark::State& state) {
    const std::string bytes = Utf16ToCp1251(MarkedText(4096).text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DetectEncodingBytes(bytes, true));
    }
}
BENCHMARK(BM_DetectEncoding);

} // namespace
} // namespace umlo

BENCHMARK_MAIN();

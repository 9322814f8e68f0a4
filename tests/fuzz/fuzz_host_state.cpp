// libFuzzer target: arbitrary bytes as the state a host hands back, in every format. The
// first byte picks the format's row; the row shapes the rest the way its hosts do (pieces,
// failing streams, chunk kinds and sizes, properties and types). Each row is held to the one
// policy the formats share: only what the format's rules allow is taken, anything else is
// refused with the state as it was, and after either every value a host reads is in range
// and noise comes out finite.
#include "FuzzedClapState.h"
#include "FuzzedLv2State.h"
#include "FuzzedVst3State.h"
#include "FuzzedVstState.h"

#include <memory>

namespace
{

// A new format adds its row here (and its seeds under corpus/fuzz_host_state, first byte the
// row's place).
std::vector<std::unique_ptr<FuzzedState>> formatRows()
{
    std::vector<std::unique_ptr<FuzzedState>> rows;
    rows.push_back(std::make_unique<FuzzedVstState>());
    rows.push_back(std::make_unique<FuzzedClapState>());
    rows.push_back(std::make_unique<FuzzedVst3State>());
    rows.push_back(std::make_unique<FuzzedLv2State>());
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::unique_ptr<FuzzedState>> rows = formatRows();
    if (size == 0)
        return 0;
    FuzzedState& row = *rows[data[0] % rows.size()];
    row.reset();
    const std::vector<unsigned char> before = row.saved();

    const FuzzedState::Offer offer = row.offer(data + 1, size - 1);
    if (offer.taken != offer.allowed)
        std::abort();
    if (!offer.taken && row.saved() != before)
        std::abort();
    row.requireSaneState();
    return 0;
}

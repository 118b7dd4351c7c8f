#pragma once
// Whether the candidate table of a request agrees with Calculate: the first
// passing row at or after the start row is the core the search picks, with
// the same design, and the start row is the search's.

#include <optional>
#include <random>
#include <string>

#include "engines/design_request.h"
#include "state/core_table.h"

namespace tov::check {

// A request as a user could make it: every material, stack count 1 to 5,
// both options on or off, any ambient temperature, inputs spread over
// several decades; now and then one input is zero, negative, huge or no
// number at all (what the step rule of a run must survive).
DesignRequest RandomRequest(std::mt19937_64& rng);

// The request as one line of text, to repeat a failure.
std::string Describe(const DesignRequest& request);

// The first disagreement between the candidates of the request's material and
// stack count and the search on the same request; nullopt when they agree.
std::optional<std::string> CheckAgainstSearch(const DesignRequest& request, const CoreTable& cores);

}  // namespace tov::check

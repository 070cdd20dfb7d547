#pragma once

// Line numbers reported in the diagnostic trace lines of the evaluator; one per site,
// so a line in the console output points to exactly one place.
namespace localInterpTraceLine {
constexpr unsigned binaryOperationUnsupported = 1187;
constexpr unsigned concatenationTooLong = 1190;
constexpr unsigned expressionTooDeep = 1242;
constexpr unsigned chainVariableMissing = 1342;
constexpr unsigned chainVariableNotObject = 1349;
constexpr unsigned methodOnNonObject = 1391;
constexpr unsigned callFailed = 1418;
constexpr unsigned messageObjectHeader = 1476;
constexpr unsigned messageObjectText = 1478;
constexpr unsigned functionFailed = 1512;
}  // namespace localInterpTraceLine

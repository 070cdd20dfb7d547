-- Collatz chain lengths of 1..20000 memoised in a table: every start walks until it meets
-- a cached number, then the numbers of its walk are cached on the way back
local N = 20000
local cache, entries = {[1] = 1}, 1
local lookups, hits = 0, 0
local total, longest, longest_start = 0, 0, 0
local path, depth = {}, 0
for s = 1, N do
  local x = s
  local len
  while true do
    lookups = lookups + 1
    len = cache[x]
    if len then
      hits = hits + 1
      break
    end
    depth = depth + 1
    path[depth] = x
    if x % 2 == 0 then x = x // 2 else x = 3 * x + 1 end
  end
  while depth > 0 do
    len = len + 1
    cache[path[depth]] = len
    entries = entries + 1
    depth = depth - 1
  end
  total = total + len
  if len > longest then longest, longest_start = len, s end
end
print(entries)
print(lookups - hits)
print(total)
print(longest_start)
print(longest)

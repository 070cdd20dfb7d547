-- 1,000,000 appends of immutable strings would be quadratic in Lua: the idiomatic
-- form collects the pieces and joins them once.
local parts = {}
for i = 1, 1000000 do
  parts[#parts + 1] = 'x'
end
local s = table.concat(parts)
print(#s)

-- character scan of a 14,726-character text: words, blanks and letters 'a' counted by
-- taking shrinking suffixes (the last n characters) and trimming them
local words = {"alpha", "beta", "gamma", "delta", "kappa", "omega", "sigma", "iota"}
local x = 42
local parts = {"start"}
for i = 1, 2500 do
  x = x * 16807 % 2147483647
  local sep = (x % 7 == 0) and "  " or " "
  parts[#parts + 1] = sep .. words[x % 8 + 1]
end
local s = table.concat(parts)
local length = #s
local blanks, count_a, nwords, in_word = 0, 0, 0, false
local u = s
for n = length, 1, -1 do
  local v = s:sub(length - n + 2)
  local trimmed = u:match("^[ \t\n]*(.*[^ \t\n])") or ""
  if #trimmed < n then
    blanks = blanks + 1
    in_word = false
  else
    if not in_word then
      nwords = nwords + 1
      in_word = true
    end
    if u == "a" .. v then count_a = count_a + 1 end
  end
  u = v
end
print(length)
print(nwords)
print(blanks)
print(count_a)

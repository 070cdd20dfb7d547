-- A tokenizer reading a text of 1,200 tokens (numbers of one to three digits, names of
-- one to three letters a to e, the operators + - * /, brackets) made from a Park-Miller
-- sequence, with a blank after about a third of them, character by character. Adjacent
-- numbers (or names) read as one. Printed: the length, the numbers, the names, the
-- operators, the deepest bracket nesting and the sum of the numbers.
local x = 3
local parts = {}
local letters, signs = "abcde", "+-*/"
for i = 1, 1200 do
  x = x * 16807 % 2147483647
  local w = x % 8
  local r = x // 8
  if w < 3 then
    parts[#parts + 1] = tostring(r % 10)
    if w > 0 then parts[#parts + 1] = tostring(r // 10 % 10) end
    if w > 1 then parts[#parts + 1] = tostring(r // 100 % 10) end
  elseif w < 5 then
    for m = 0, w - 3 do
      local c = r % 5
      parts[#parts + 1] = letters:sub(c + 1, c + 1)
      r = r // 5
    end
  elseif w == 5 then
    local c = r % 4
    parts[#parts + 1] = signs:sub(c + 1, c + 1)
  elseif w == 6 then
    parts[#parts + 1] = "("
  else
    parts[#parts + 1] = ")"
  end
  if x // 7 % 3 == 0 then parts[#parts + 1] = " " end
end
local s = table.concat(parts)
local numbers, names, operators, depth, deepest, total, value, inside = 0, 0, 0, 0, 0, 0, 0, 0
for i = 1, #s do
  local c = s:byte(i)
  if c < 48 then
    if inside == 1 then total = total + value end
    inside = 0
    if c == 40 then
      depth = depth + 1
      if depth > deepest then deepest = depth end
    elseif c == 41 then
      depth = depth - 1
    elseif c ~= 32 then
      operators = operators + 1
    end
  elseif c < 97 then
    if inside ~= 1 then
      numbers = numbers + 1
      value = 0
      inside = 1
    end
    value = value * 10 + c - 48
  else
    if inside == 1 then total = total + value end
    if inside ~= 2 then
      names = names + 1
      inside = 2
    end
  end
end
if inside == 1 then total = total + value end
print(#s)
print(numbers)
print(names)
print(operators)
print(deepest)
print(total)

-- Longest common subsequence of two sequences of 400 numbers from 0 to 3 (a Park-Miller
-- sequence), by the dynamic program over a table of 401 rows and 401 columns.
local n = 400
local x = 7
local a, b = {}, {}
for i = 1, n do
  x = x * 16807 % 2147483647
  a[i] = x % 4
  x = x * 16807 % 2147483647
  b[i] = x % 4
end
local t = {}
for i = 0, n do
  local row = {}
  for j = 0, n do row[j] = 0 end
  t[i] = row
end
for i = 1, n do
  local ai, row, above = a[i], t[i], t[i - 1]
  for j = 1, n do
    if ai == b[j] then
      row[j] = above[j - 1] + 1
    else
      local up, left = above[j], row[j - 1]
      if up > left then row[j] = up else row[j] = left end
    end
  end
end
print(t[n][n])
local total = 0
for i = 0, n do
  for j = 0, n do total = total + t[i][j] end
end
print(total)

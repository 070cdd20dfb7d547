local rows = {}
local x = 42
for i = 1, 100000 do
  x = x * 16807
  x = x - math.floor(x / 2147483647) * 2147483647
  rows[i] = {string.format('%d', x - math.floor(x / 100000) * 100000), i}
end
-- table.sort is not stable: ties go by the line number
table.sort(rows, function(a, b) if a[1] ~= b[1] then return a[1] < b[1] end return a[2] < b[2] end)
print(rows[1][1])
print(rows[1][2])
print(rows[100000][1])
print(rows[100000][2])

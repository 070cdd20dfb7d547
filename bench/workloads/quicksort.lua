-- quicksort of 80,000 numbers below 100,000 from a Park-Miller sequence: Hoare
-- partitions with an explicit stack of (lo, hi) ranges; then the order is checked and summed
local n = 80000
local x = 7
local a = {}
for i = 1, n do
  x = x * 16807 % 2147483647
  a[i] = x % 100000
end
local los, his, sp = {1}, {n}, 1
while sp > 0 do
  local lo, hi = los[sp], his[sp]
  sp = sp - 1
  local pivot = a[(lo + hi) // 2]
  local i, j = lo, hi
  while i <= j do
    while a[i] < pivot do i = i + 1 end
    while a[j] > pivot do j = j - 1 end
    if i <= j then
      a[i], a[j] = a[j], a[i]
      i = i + 1
      j = j - 1
    end
  end
  if lo < j then
    sp = sp + 1
    los[sp], his[sp] = lo, j
  end
  if i < hi then
    sp = sp + 1
    los[sp], his[sp] = i, hi
  end
end
local disorder, checksum = 0, 0
for i = 1, n do
  if i < n and a[i] > a[i + 1] then disorder = disorder + 1 end
  checksum = checksum + i * a[i]
end
print(disorder)
print(a[1])
print(a[n])
print(checksum)

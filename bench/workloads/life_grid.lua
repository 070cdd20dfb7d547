-- Conway's game of life on a 48 x 48 grid that wraps round at its edges, 40 generations
-- from a Park-Miller start (a third of the cells alive), in two grids that change roles
-- each generation; then the population and a checksum of the live cells' places.
local n = 48
local g, h = {}, {}
for i = 1, n do
  g[i], h[i] = {}, {}
  for j = 1, n do g[i][j], h[i][j] = 0, 0 end
end
local x = 11
for i = 1, n do
  for j = 1, n do
    x = x * 16807 % 2147483647
    if x % 3 == 0 then g[i][j] = 1 end
  end
end
for generation = 1, 40 do
  for i = 1, n do
    local up = i == 1 and n or i - 1
    local down = i == n and 1 or i + 1
    local gu, gi, gd, hi = g[up], g[i], g[down], h[i]
    for j = 1, n do
      local l = j == 1 and n or j - 1
      local r = j == n and 1 or j + 1
      local s = gu[l] + gu[j] + gu[r] + gi[l] + gi[r] + gd[l] + gd[j] + gd[r]
      if s == 3 then hi[j] = 1 elseif s == 2 then hi[j] = gi[j] else hi[j] = 0 end
    end
  end
  g, h = h, g
end
local population, checksum = 0, 0
for i = 1, n do
  for j = 1, n do
    population = population + g[i][j]
    checksum = checksum + g[i][j] * (i * 100 + j)
  end
end
print(population)
print(checksum)

-- n-queens, n = 10: 724 solutions, by a recursive function that tries every column of a
-- row against the queens of the earlier rows
local n = 10
local cols = {}

local function place(d)
  if d > n then return 1 end
  local found = 0
  for c = 1, n do
    local free = true
    for r = 1, d - 1 do
      local diff = c - cols[r]
      if diff == 0 or diff == d - r or diff == r - d then
        free = false
        break
      end
    end
    if free then
      cols[d] = c
      found = found + place(d + 1)
    end
  end
  return found
end

print(place(1))

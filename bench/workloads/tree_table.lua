-- A binary search tree kept in a table of nodes (key, left, right; 0 for no child):
-- 20,000 Park-Miller keys below 100,000 inserted (repeated keys once), then an in-order
-- walk with an explicit stack; printed: the nodes, the height, the keys walked, and the
-- sum of each key times its rank.
local keys, left, right = {}, {}, {}
local count, height = 0, 0
local x = 5
for i = 1, 20000 do
  x = x * 16807 % 2147483647
  local key = x % 100000
  if count == 0 then
    count = 1
    keys[1], left[1], right[1] = key, 0, 0
    height = 1
  else
    local node, depth = 1, 1
    while node > 0 do
      local nodekey = keys[node]
      if key == nodekey then break end
      local side = key < nodekey and left or right
      local child = side[node]
      depth = depth + 1
      if child == 0 then
        count = count + 1
        keys[count], left[count], right[count] = key, 0, 0
        side[node] = count
        break
      end
      node = child
    end
    if depth > height then height = depth end
  end
end
local stack, sp = {}, 0
local node, rank, total = 1, 0, 0
while true do
  if node > 0 then
    sp = sp + 1
    stack[sp] = node
    node = left[node]
  elseif sp > 0 then
    node = stack[sp]
    sp = sp - 1
    rank = rank + 1
    total = total + rank * keys[node]
    node = right[node]
  else
    break
  end
end
print(count)
print(height)
print(rank)
print(total)

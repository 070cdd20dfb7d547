local function fannkuch(n)
  local perm1, perm, count = {}, {}, {}
  for i = 1, n do perm1[i] = i - 1; count[i] = 0 end
  local maxflips, checksum, sign, r = 0, 0, 1, n
  while true do
    while r ~= 1 do
      count[r] = r
      r = r - 1
    end
    for i = 1, n do perm[i] = perm1[i] end
    local flips = 0
    local first = perm[1]
    while first ~= 0 do
      local lo, hi = 1, first + 1
      while lo < hi do
        perm[lo], perm[hi] = perm[hi], perm[lo]
        lo = lo + 1
        hi = hi - 1
      end
      flips = flips + 1
      first = perm[1]
    end
    if flips > maxflips then maxflips = flips end
    checksum = checksum + sign * flips
    sign = -sign
    while true do
      if r == n then return checksum, maxflips end
      local perm0 = perm1[1]
      for i = 1, r do perm1[i] = perm1[i + 1] end
      perm1[r + 1] = perm0
      count[r + 1] = count[r + 1] - 1
      if count[r + 1] > 0 then break end
      r = r + 1
    end
  end
end

local checksum, maxflips = fannkuch(7)
print(checksum)
print(maxflips)

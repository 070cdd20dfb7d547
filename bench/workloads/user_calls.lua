n = 0
local function inc()
  n = n + 1
end
for i = 1, 500000 do
  inc()
end
print(n)

local composite = {}
for i = 1, 99999 do composite[i] = 0 end
local count = 0
for i = 2, 99999 do
  if composite[i] == 0 then
    count = count + 1
    if i * i < 100000 then
      local j = i * i
      while j < 100000 do
        composite[j] = 1
        j = j + i
      end
    end
  end
end
print(count)

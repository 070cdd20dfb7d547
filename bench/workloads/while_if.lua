local i, low, high = 0, 0, 0
while i < 200000 do
  if i < 50000 then
    low = low + 1
  else
    high = high + 2
  end
  i = i + 1
end
print(low)
print(high)
